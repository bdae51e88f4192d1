#include "StageOverviewCommand.h"

#include "overview/StageOverviewForm.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>

TStageOverviewCommand::TStageOverviewCommand(QMainWindow &window, QMenu &viewMenu,
                                             const FcPaletteData &colours,
                                             const RomImageData &document,
                                             const EditorGraphics &graphics, UserPrompt &prompt,
                                             RoomBars roomBars)
    : QObject(&window), Window(window), Colours(colours), Document(document), Graphics(graphics),
      Prompt(prompt), Bars(roomBars) {
    Action = new QAction(tr("ステージ全体図(&O)"), this);
    Action->setObjectName(QStringLiteral("StageOverview1"));
    Action->setShortcut(QKeySequence(Qt::Key_F6));
    Action->setEnabled(false);
    viewMenu.addAction(Action);
    connect(Action, &QAction::triggered, this, &TStageOverviewCommand::ShowWindow);
}

void TStageOverviewCommand::SetDocumentOpen(bool open) {
    Action->setEnabled(open);
    // A window not made yet draws the document it first shows.
    if (!Form)
        return;
    if (open)
        Form->DocumentOpened();
    else
        Form->hide();
}

void TStageOverviewCommand::AnimationStepped() {
    if (Form)
        Form->Follow();
}

void TStageOverviewCommand::ShowWindow() {
    if (!Form) {
        Form = new TStageOverviewForm(Colours, Document, Graphics, Prompt, &Window);
        connect(Form, &TStageOverviewForm::RoomChosen, this, &TStageOverviewCommand::ChooseRoom);
        Form->FitWholeStage(Window.screen()->availableGeometry());
    }
    Form->show();
    Form->raise();
    Form->activateWindow();
}

void TStageOverviewCommand::ChooseRoom(int room) {
    // The bars hold the left room; their ranges stop at 46 so the right room exists.
    Bars.Map->setValue(room);
    Bars.Object->setValue(room);
}
