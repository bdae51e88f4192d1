#include "settingscommand.h"

#include "settingsform.h"
#include "testplay.h"
#include "viewmenu.h"

#include <QAction>
#include <QMenu>

TSettingsCommand::TSettingsCommand(QWidget &window, QMenu &viewMenu, UserPrompt &prompt,
                                   TestPlay &play, TViewMenu &view, DisplayAccess display)
    : QObject(&window), Window(window), Prompt(prompt), Play(play), View(view),
      Display(std::move(display)) {
    viewMenu.addSeparator();
    Settings1 = viewMenu.addAction(tr("設定(&S)..."));
    Settings1->setObjectName(QStringLiteral("Settings1"));
    connect(Settings1, &QAction::triggered, this, [this] { Open(); });
    connect(&Play, &TestPlay::SettingsRequested, this, [this] { Open(true); });
}

void TSettingsCommand::Open(bool atEmulator) {
    if (!Form) {
        Form = new TSettingsForm(Prompt, &Window);
        connect(Form, &TSettingsForm::TryRequested, &Play, &TestPlay::Try);
    }
    Form->Load({Display.Current(), Play.Command(), View.ChosenLanguage()}, Play.FindEmulators(),
               DocumentOpen);
    if (atEmulator)
        Form->FocusEmulator();
    if (Form->exec() != QDialog::Accepted)
        return;
    const EditorSettings chosen = Form->Settings();
    Play.SetCommand(chosen.EmulatorCommand);
    View.ChooseLanguage(chosen.Language);
    Display.Apply(chosen.Display);
}
