#include "guideform.h"

#include "mainform.h"

#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

TGuideForm::TGuideForm(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("GuideForm"));
    setWindowTitle(tr("使い方") + QStringLiteral(" - ") + ApplicationTitle);
    resize(760, 720);
    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("GuideBrowser"));
    Browser->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Browser);
    // Closed from the keyboard as a reading window is; the reader's hands stay on the keys.
    for (const QKeySequence &key :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
}

QString TGuideForm::GuidePath(const QString &language) {
    return language == u"en" ? QStringLiteral(":/docs/guide.en.md")
                             : QStringLiteral(":/docs/guide.ja.md");
}

void TGuideForm::ShowGuide(const QString &language) {
    // Loading the guide as a resource URL lets its relative picture paths resolve beside it.
    const QUrl source(QStringLiteral("qrc") + GuidePath(language));
    if (Browser->source() != source)
        Browser->setSource(source, QTextDocument::MarkdownResource);
    show();
    raise();
    activateWindow();
}
