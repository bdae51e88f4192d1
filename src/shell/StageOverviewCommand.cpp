#include "StageOverviewCommand.h"

#include "overview/StageOverviewForm.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QScrollBar>

TStageOverviewCommand::TStageOverviewCommand(QMainWindow &window, QMenu &viewMenu,
                                             const FcPaletteData &colours,
                                             const RomImageData &document,
                                             const EditorGraphics &graphics, UserPrompt &prompt,
                                             RoomBars roomBars)
    : QObject(&window), Bars(roomBars) {
    Action = new QAction(tr("ステージ全体図(&O)"), this);
    Action->setObjectName(QStringLiteral("StageOverview1"));
    Action->setShortcut(QKeySequence(Qt::Key_F6));
    Action->setEnabled(false);
    viewMenu.addAction(Action);
    Form = new TStageOverviewForm(colours, document, graphics, prompt, &window);

    connect(Action, &QAction::triggered, this, &TStageOverviewCommand::ShowWindow);
    connect(Form, &TStageOverviewForm::RoomChosen, this, &TStageOverviewCommand::ChooseRoom);
}

void TStageOverviewCommand::SetDocumentOpen(bool open) {
    Action->setEnabled(open);
    if (open)
        Form->DocumentOpened();
    else
        Form->hide();
}

void TStageOverviewCommand::ShowWindow() {
    Form->show();
    Form->raise();
    Form->activateWindow();
}

void TStageOverviewCommand::ChooseRoom(int room) {
    // The bars hold the left room; their ranges stop at 46 so the right room exists.
    Bars.Map->setValue(room);
    Bars.Object->setValue(room);
}
