#include "viewmenu.h"

#include "UserPrompt.h"
#include "language.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace {

// Said in the language just chosen: that is the language the user reads from now on.
const char *const RestartMessage =
    QT_TRANSLATE_NOOP("TViewMenu", "表示言語は次回の起動時から切り替わります。");

} // namespace

TViewMenu::TViewMenu(QMenuBar &menuBar, UserPrompt &prompt, const QString &runningLanguage)
    : QObject(&menuBar), Prompt(prompt), Running(runningLanguage), Chosen(runningLanguage) {
    View1 = menuBar.addMenu(tr("表示(&V)"));
    View1->setObjectName(QStringLiteral("View1"));
    QMenu *language1 = View1->addMenu(tr("言語(&L)"));
    language1->setObjectName(QStringLiteral("Language1"));
    auto *choice = new QActionGroup(language1);
    // Each language is listed by its own name, so it can be found whatever the interface
    // speaks now.
    for (const QString &language : InterfaceLanguage::Available()) {
        QAction *item = language1->addAction(InterfaceLanguage::NativeName(language));
        item->setObjectName(QStringLiteral("Language_") + language);
        item->setCheckable(true);
        item->setChecked(language == runningLanguage);
        choice->addAction(item);
        connect(item, &QAction::triggered, this, [this, language] { ChooseLanguage(language); });
    }
}

void TViewMenu::ChooseLanguage(const QString &language) {
    if (language == Chosen || !InterfaceLanguage::Available().contains(language))
        return;
    if (auto *item = View1->findChild<QAction *>(QStringLiteral("Language_") + language))
        item->setChecked(true);
    Chosen = language;
    if (language != Running)
        Prompt.ShowMessage(InterfaceLanguage::Translate(language, "TViewMenu", RestartMessage));
}
