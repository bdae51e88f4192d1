#include "guideform.h"

#include "mainform.h"

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
