#include "helpmenu.h"

#include "aboutform.h"
#include "guideform.h"

#include <QAction>
#include <QMenuBar>

THelpMenu::THelpMenu(QMenuBar &menuBar, QWidget &window)
    : QObject(&window), Window(window), Language(QStringLiteral("ja")) {
    QMenu *help = menuBar.addMenu(tr("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("Help1"));
    Guide1 = help->addAction(tr("使い方(&G)"));
    Guide1->setObjectName(QStringLiteral("Guide1"));
    Guide1->setShortcut(QKeySequence(Qt::Key_F1));
    About1 = help->addAction(tr("バージョン情報(&A)"));
    About1->setObjectName(QStringLiteral("About1"));
    connect(Guide1, &QAction::triggered, this, &THelpMenu::Guide1Click);
    connect(About1, &QAction::triggered, this, &THelpMenu::About1Click);
}

THelpMenu::~THelpMenu() = default;

void THelpMenu::SetLanguage(const QString &code) {
    Language = code;
}

void THelpMenu::Guide1Click() {
    // One window, parented to the main window so it closes with it, but a window of its
    // own: the user reads the guide while working in the editor.
    if (!GuideForm)
        GuideForm = new TGuideForm(&Window);
    GuideForm->ShowGuide(Language);
}

void THelpMenu::About1Click() {
    TAboutForm about(&Window);
    about.exec();
}
