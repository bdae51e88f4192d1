#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenuBar;
class QWidget;
class TGuideForm;

/// The help menu, last in the menu bar and usable with or without an image: the user's guide
/// on F1 in a window of its own beside the editor, and the version and licence box.
///
/// Owns its menu items (children of the menu bar) and the guide window, created on first use;
/// borrows the main window the guide and the box belong to.
class THelpMenu : public QObject {
    Q_OBJECT
public:
    THelpMenu(QMenuBar &menuBar, QWidget &window);
    ~THelpMenu() override;

    /// The language of the guide the next F1 shows: "ja" (the default) or "en". Any other
    /// code shows the Japanese guide, which always exists.
    void SetLanguage(const QString &code);

    void Guide1Click();
    void About1Click();

private:
    QWidget &Window;
    QString Language;
    QAction *Guide1 = nullptr;
    QAction *About1 = nullptr;
    TGuideForm *GuideForm = nullptr;
};
