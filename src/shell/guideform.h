#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

/// The user's guide window: the guide of one language rendered from the program's resources,
/// pictures included, so it reads the same as the guide in the repository. Not modal.
/// Owns its text browser.
class TGuideForm : public QWidget {
    Q_OBJECT
public:
    explicit TGuideForm(QWidget *parent = nullptr);

    /// Shows the guide of `language` ("ja" or "en"; anything else gives the Japanese one) and
    /// brings the window to the front. The place read is kept while the language stays.
    void ShowGuide(const QString &language);

    /// The resource path of the guide of `language`.
    static QString GuidePath(const QString &language);

private:
    QTextBrowser *Browser = nullptr;
};
