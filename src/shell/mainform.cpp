#include "mainform.h"

#include "AnimationTimer.h"
#include "FileExportCommands.h"
#include "MyIniFiles.h"
#include "StageOverviewCommand.h"
#include "UserPrompt.h"
#include "chip16x16/16x16chippage.h"
#include "chip32x32/32x32chippage.h"
#include "chipusage/showUnusedChipNumForm.h"
#include "edit_flag.h"
#include "fcpalette.h"
#include "filedrop.h"
#include "fileio.h"
#include "graphics.h"
#include "helpmenu.h"
#include "language.h"
#include "map/mappage.h"
#include "mapset/MapSetEditGridForm.h"
#include "mapset/mapsetpage.h"
#include "namelists.h"
#include "objects/ObjectEditForm.h"
#include "objects/objectpage.h"
#include "outsidechanges.h"
#include "palette/palettepage.h"
#include "patchcommands.h"
#include "programfiles.h"
#include "recentfiles.h"
#include "settingscommand.h"
#include "testplay.h"
#include "tiles/tilepage.h"
#include "viewmenu.h"
#include "windowplacement.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Refresh order: the 32x32 sheet is composed from the 16x16 sheet just rebuilt.
constexpr std::array<EditPageIndex, EditPageCount> RefreshOrder = {
    PalettePage, Chip16x16Page, Chip32x32Page, MapSetPage, MapPage, ObjectPage, TilePage};

const std::array<const char *, StageCount> StageNames = {
    QT_TRANSLATE_NOOP("TMainForm", "00 はじまりの草原"),
    QT_TRANSLATE_NOOP("TMainForm", "01 風の吹く丘"),
    QT_TRANSLATE_NOOP("TMainForm", "02 水晶の洞窟"),
    QT_TRANSLATE_NOOP("TMainForm", "03 霧の湿地"),
    QT_TRANSLATE_NOOP("TMainForm", "04 苔むした石段"),
    QT_TRANSLATE_NOOP("TMainForm", "05 砂の回廊"),
    QT_TRANSLATE_NOOP("TMainForm", "06 氷の滝"),
    QT_TRANSLATE_NOOP("TMainForm", "07 歯車の工房"),
    QT_TRANSLATE_NOOP("TMainForm", "08 月夜の森"),
    QT_TRANSLATE_NOOP("TMainForm", "09 溶岩の坑道"),
    QT_TRANSLATE_NOOP("TMainForm", "0A 雲の架け橋"),
    QT_TRANSLATE_NOOP("TMainForm", "0B 沈んだ庭園"),
    QT_TRANSLATE_NOOP("TMainForm", "0C 鏡の迷路"),
    QT_TRANSLATE_NOOP("TMainForm", "0D 嵐の岬"),
    QT_TRANSLATE_NOOP("TMainForm", "0E 星見の塔"),
    QT_TRANSLATE_NOOP("TMainForm", "0F 地下水路"),
    QT_TRANSLATE_NOOP("TMainForm", "10 夜明けの峠"),
    QT_TRANSLATE_NOOP("TMainForm", "11 雲上の砦"),
};

constexpr int StatusPanelWidths[] = {70, 200, 50};

constexpr int HintDisplayTime = 10000;

// The platform's own keys for a file command, with the key users of every desktop expect
// among them even where the platform has none. That key comes first, so the menu shows the
// key the guide names.
QList<QKeySequence> FileCommandKeys(QKeySequence::StandardKey standard,
                                    const QKeySequence &expected) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    keys.removeAll(expected);
    keys.prepend(expected);
    return keys;
}

} // namespace

TMainForm::TMainForm(UserPrompt &prompt, const QString &programDirectory, QWidget *parent)
    : QMainWindow(parent), Prompt(prompt) {
    const ProgramFiles files = ProgramFiles::ForProgram(programDirectory);
    // The language is needed before the first text, the colour table's message included, so
    // it is read ahead of the settings file proper.
    Translation = std::make_unique<InterfaceTranslation>(
        InterfaceLanguage::Read(TMyMemIniFile(files.SettingsFile())));
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(ApplicationTitle);
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    resize(635, 701);

    FrameTimer = new AnimationTimer(this);
    FrameTimer->setObjectName(QStringLiteral("FrameTimer"));
    FrameTimer->SetFrameInterval(DisplaySettings::DefaultTimerInterval);

    BuildMenu();
    BuildStatusBar();
    BuildPages();
    FormCreate(files);
    if (StartupHasFailed)
        return;
    CreateConveniences();

    connect(Open1, &QAction::triggered, this, &TMainForm::Open1Click);
    connect(Save1, &QAction::triggered, this, &TMainForm::Save1Click);
    connect(SaveAs1, &QAction::triggered, this, &TMainForm::SaveAs1Click);
    connect(Close1, &QAction::triggered, this, &TMainForm::Close1Click);
    connect(Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
    connect(Edit1, &QMenu::aboutToShow, this, &TMainForm::Edit1Click);
    connect(Undo1, &QAction::triggered, this, &TMainForm::Undo1Click);
    connect(Redo1, &QAction::triggered, this, &TMainForm::Redo1Click);
    // Only the user's choice changes the stage; selecting entry 0 after an open does not.
    connect(CBStage, &QComboBox::activated, this, &TMainForm::CBStageChange);
    connect(EditPageControl, &QTabWidget::currentChanged, this, &TMainForm::EditPageControlChange);
    connect(FrameTimer, &QTimer::timeout, this, &TMainForm::FrameTimerTimer);
    qApp->installEventFilter(this);
    // Built last so that it stays the last menu, whatever the window adds before it.
    Help = new THelpMenu(*menuBar(), *this);
    Help->SetLanguage(Translation->Language());
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
    FrameTimer->stop();
    // The pages and their controls go after this body; none of their signals may reach
    // handlers of a window that is already half gone.
    EditPageControl->disconnect(this);
    CBStage->disconnect(this);
    // The controllers borrow everything below, so they go first.
    PageControllers.fill(nullptr);
    TileEditor.reset();
    ObjectEditor.reset();
    MapEditor.reset();
    MapSetEditor.reset();
    Chip32x32Editor.reset();
    Chip16x16Editor.reset();
    PaletteEditor.reset();
    Rom.reset();
    ModifiedFlags.reset();
    Graphics.reset();
    Colours.reset();
}

void TMainForm::BuildMenu() {
    auto *mainMenu = new QMenuBar(this);
    mainMenu->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(mainMenu);

    const auto newAction = [this](QMenu *menu, const QString &name, const QString &caption) {
        auto *action = new QAction(caption, this);
        action->setObjectName(name);
        menu->addAction(action);
        return action;
    };
    const auto newSeparator = [](QMenu *menu, const QString &name) {
        menu->addSeparator()->setObjectName(name);
    };

    N1 = mainMenu->addMenu(tr("ファイル(&F)"));
    N1->setObjectName(QStringLiteral("N1"));
    Open1 = newAction(N1, QStringLiteral("Open1"), tr("開く(&O)"));
    newSeparator(N1, QStringLiteral("N3"));
    Save1 = newAction(N1, QStringLiteral("Save1"), tr("上書き保存(&S)"));
    SaveAs1 = newAction(N1, QStringLiteral("SaveAs1"), tr("名前を付けて保存(&A)"));
    newSeparator(N1, QStringLiteral("N2"));
    Close1 = newAction(N1, QStringLiteral("Close1"), tr("閉じる(&C)"));
    newSeparator(N1, QStringLiteral("N4"));
    Exit1 = newAction(N1, QStringLiteral("Exit1"), tr("終了(&X)"));
    Save1->setEnabled(false);
    SaveAs1->setEnabled(false);
    Close1->setEnabled(false);
    Open1->setShortcuts(FileCommandKeys(QKeySequence::Open, Qt::CTRL | Qt::Key_O));
    Save1->setShortcuts(FileCommandKeys(QKeySequence::Save, Qt::CTRL | Qt::Key_S));
    SaveAs1->setShortcuts(FileCommandKeys(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    Close1->setShortcuts(FileCommandKeys(QKeySequence::Close, Qt::CTRL | Qt::Key_W));
    Exit1->setShortcuts(FileCommandKeys(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q));

    Edit1 = mainMenu->addMenu(tr("編集(&E)"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->menuAction()->setVisible(false);
    Undo1 = newAction(Edit1, QStringLiteral("Undo1"), tr("元に戻す(&U)"));
    Undo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Undo1->setEnabled(false);
    Redo1 = newAction(Edit1, QStringLiteral("Redo1"), tr("やり直し(&R)"));
    Redo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    Redo1->setEnabled(false);

    // テスト comes in between later, placed right after 編集.
    ViewMenu = new TViewMenu(*mainMenu, Prompt, Translation->Language());
}

void TMainForm::BuildStatusBar() {
    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar"));
    setStatusBar(bar);
    for (size_t i = 0; i < StatusPanels.size(); ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel") + QString::number(i));
        panel->setFixedWidth(StatusPanelWidths[i]);
        // Side by side from the left edge, "変更あり" first; no action has a status tip, so
        // no message ever hides them.
        bar->addWidget(panel);
        StatusPanels[i] = panel;
    }
}

void TMainForm::BuildPages() {
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    CBStage = new QComboBox(central);
    CBStage->setObjectName(QStringLiteral("CBStage"));
    CBStage->setFixedWidth(177);
    for (const char *name : StageNames)
        CBStage->addItem(tr(name));
    CBStage->hide();
    layout->addWidget(CBStage, 0, Qt::AlignLeft);

    EditPageControl = new QTabWidget(central);
    EditPageControl->setObjectName(QStringLiteral("EditPageControl"));
    // The dialogs come first: the pages that open them hold on to them. Each is made the
    // first time a page opens it.
    Dialogs.ReportWindow = LazyDialog<TShowUnusedChipNumForm>(
        std::function([this] { return new TShowUnusedChipNumForm(Prompt, this); }));
    Dialogs.GridForm = LazyDialog<TMapSetEditGridForm>(
        std::function([this] { return new TMapSetEditGridForm(Prompt, this); }));
    Dialogs.ObjectForm =
        LazyDialog<TObjectEditForm>(std::function([this] { return new TObjectEditForm(this); }));
    Controls = BuildEditPages(*EditPageControl, StatusPanels[1], FrameTimer, Dialogs);
    EditPageControl->setCurrentIndex(Chip16x16Page);
    EditPageControl->hide();
    layout->addWidget(EditPageControl, 1);
    setCentralWidget(central);
}

void TMainForm::FormCreate(const ProgramFiles &files) {
    Colours = FcPaletteData::Load(files.ColourTable(), Prompt);
    if (!Colours) {
        StartupHasFailed = true;
        return;
    }
    // The object information popup is a hint; it must stay up long enough to be read.
    for (QWidget *widget : findChildren<QWidget *>())
        widget->setToolTipDuration(HintDisplayTime);
    QLabel *modifiedPanel = StatusPanels[0];
    ModifiedFlags = std::make_unique<EditFlagManagement>(
        [modifiedPanel](const QString &text) { modifiedPanel->setText(text); });

    files.MakeSettingsFolder();
    SettingsFile = std::make_unique<TMyMemIniFile>(files.SettingsFile());
    const QString &language = Translation->Language();
    ChipAttributeNames =
        ReadNameList(files.NameList(QStringLiteral("ChipAttributes.txt"), language))
            .value_or(QStringList());
    CopyChipAttributeNames(Controls.Chip16x16, ChipAttributeNames);
    Rom = std::make_unique<RomImageData>(*ModifiedFlags, ChipAttributeNames, *SettingsFile, Prompt);
    Graphics = std::make_unique<EditorGraphics>(*Colours, *Rom);
    ApplySettings();
    // The room and map set scroll bars got their ranges when their pages were built.
    LoadObjectNames(files.NameList(QStringLiteral("ObjectList.txt"), language));
    CreateControllers();
    CreateViewAndExportCommands();
}

void TMainForm::ApplySettings() {
    SetDisplaySettings(DisplaySettings::Read(*SettingsFile));
}

void TMainForm::SetDisplaySettings(const DisplaySettings &settings) {
    // While the values are copied in, no check box may run a handler: the pages they would
    // redraw are not set up yet.
    const QSignalBlocker sortBlocker(Controls.Object.ChkSortObjectList);
    const QSignalBlocker popupBlocker(Controls.Object.ChkPopupHint);
    const QSignalBlocker chipGridBlocker(Controls.Chip32x32.Chk32x32ChipEditDrawGrid);
    const QSignalBlocker mapSetGridBlocker(Controls.MapSet.ChkMapSetEditDrawGrid);
    Controls.Object.ChkSortObjectList->setChecked(settings.SortObjectList);
    Controls.Object.ChkPopupHint->setChecked(settings.PopupHint);
    Controls.Chip32x32.Chk32x32ChipEditDrawGrid->setChecked(settings.Chip32x32Grid);
    Controls.MapSet.ChkMapSetEditDrawGrid->setChecked(settings.MapSetGrid);
    FrameTimer->SetFrameInterval(settings.TimerInterval);
    Rom->SetUndoRecording(settings.UndoEnabled);
}

void TMainForm::ChangeDisplaySettings(const DisplaySettings &settings) {
    SetDisplaySettings(settings);
    // The pages are hidden exactly while no image is open.
    if (EditPageControl->isHidden())
        return;
    FrameTimer->Restart();
    EditPageControlChange();
}

DisplaySettings TMainForm::CurrentSettings() const {
    DisplaySettings settings;
    settings.SortObjectList = Controls.Object.ChkSortObjectList->isChecked();
    settings.PopupHint = Controls.Object.ChkPopupHint->isChecked();
    settings.Chip32x32Grid = Controls.Chip32x32.Chk32x32ChipEditDrawGrid->isChecked();
    settings.MapSetGrid = Controls.MapSet.ChkMapSetEditDrawGrid->isChecked();
    settings.TimerInterval = FrameTimer->FrameInterval();
    settings.UndoEnabled = Rom->IsUndoRecording();
    return settings;
}

void TMainForm::LoadObjectNames(const QString &path) {
    const std::optional<QStringList> names = ReadNameList(path);
    if (!names) {
        Prompt.ShowMessage(tr("%1を読み込めませんでした。").arg(QStringLiteral("ObjectList.txt")));
        return;
    }
    Controls.Object.CBSelectObject->clear();
    Controls.Object.CBSelectObject->addItems(ObjectKindTexts(*names));
}

// In the order of the hand-over: each controller gets its page's controls right after it
// is created.
void TMainForm::CreateControllers() {
    PaletteEditor = std::make_unique<PaletteEditClass>(*Rom, *ModifiedFlags, *Graphics, Prompt);
    PaletteEditor->SetControls(Controls.Palette);
    ForwardPalettePageEvents(Controls.Palette, *PaletteEditor);

    Chip16x16Editor = std::make_unique<Chip16x16EditClass>(*Rom, *ModifiedFlags, *Graphics, Prompt);
    Chip16x16Editor->SetControls(Controls.Chip16x16);
    ForwardChip16x16PageEvents(Controls.Chip16x16, *Chip16x16Editor);

    Chip32x32Editor = std::make_unique<Chip32x32EditClass>(*Rom, *ModifiedFlags, *Graphics, Prompt);
    Chip32x32Editor->SetControls(Controls.Chip32x32);
    ForwardChip32x32PageEvents(Controls.Chip32x32, *Chip32x32Editor);

    MapSetEditor = std::make_unique<MapSetEditClass>(*Rom, *ModifiedFlags, *Graphics, Prompt);
    MapSetEditor->SetControls(Controls.MapSet);
    ForwardMapSetPageEvents(Controls.MapSet, *MapSetEditor);
    // A 32x32 chip chosen on its page becomes the map set page's painting chip.
    Chip32x32Editor->SetMapSetChipSink([this](int chip) { MapSetEditor->SetSelectedChip(chip); });

    MapEditor = std::make_unique<MapEditClass>(*Rom, *ModifiedFlags, *Graphics, Prompt);
    MapEditor->SetControls(Controls.Map);
    ForwardMapPageEvents(Controls.Map, *MapEditor);

    ObjectEditor = std::make_unique<ObjectEditClass>(*Rom, *ModifiedFlags, *Graphics, Prompt);
    ObjectEditor->SetControls(Controls.Object);
    ForwardObjectPageEvents(Controls.Object, *ObjectEditor);

    TileEditor = std::make_unique<TileEditClass>(*Rom, *ModifiedFlags, *Graphics, Prompt);
    TileEditor->SetControls(Controls.Tile);
    ForwardTilePageEvents(Controls.Tile, *TileEditor);
    TileEditor->SetPaletteSetSource([this] { return PaletteEditor->SelectedPaletteSet(); });

    PageControllers[PalettePage] = PaletteEditor.get();
    PageControllers[Chip16x16Page] = Chip16x16Editor.get();
    PageControllers[Chip32x32Page] = Chip32x32Editor.get();
    PageControllers[MapSetPage] = MapSetEditor.get();
    PageControllers[MapPage] = MapEditor.get();
    PageControllers[ObjectPage] = ObjectEditor.get();
    PageControllers[TilePage] = TileEditor.get();
    FrameTimer->SetAnimating(
        [this] { return !EditPageControl->isHidden() && PaletteEditor->Animates(); });
}

void TMainForm::CreateConveniences() {
    Play = new TestPlay(*Rom, Prompt, *menuBar(), Edit1->menuAction(), this);
    SettingsCommand = new TSettingsCommand(
        *this, *ViewMenu->Menu(), Prompt, *Play, *ViewMenu,
        {[this] { return CurrentSettings(); },
         [this](const DisplaySettings &settings) { ChangeDisplaySettings(settings); }});
    Recent = new RecentFiles(Prompt, *N1, Exit1, this);
    auto *drop = new FileDrop(*this, this);
    Outside = new OutsideChanges(*Rom, *ModifiedFlags, Prompt, *this, this);
    connect(Recent, &RecentFiles::FileChosen, this, &TMainForm::OpenChosenFile);
    connect(drop, &FileDrop::FileDropped, this, &TMainForm::OpenChosenFile);
    connect(Outside, &OutsideChanges::ReloadChosen, this,
            [this] { OpenChosenFile(Rom->FilePath()); });
    Play->ReadSettings(*SettingsFile);
    Recent->ReadSettings(*SettingsFile);
    Folders.Read(*SettingsFile);
    WindowPlacement::Restore(*this, *SettingsFile);
}

// After the display settings, in the order the sections are first written.
void TMainForm::WriteConvenienceSettings() {
    Play->WriteSettings(*SettingsFile);
    Recent->WriteSettings(*SettingsFile);
    Folders.Write(*SettingsFile);
    WindowPlacement::Store(*this, *SettingsFile);
}

void TMainForm::CreateViewAndExportCommands() {
    OverviewCommand =
        new TStageOverviewCommand(*this, *ViewMenu->Menu(), *Colours, *Rom, *Graphics, Prompt,
                                  {Controls.Map.ScrBarMap, Controls.Object.ScrBarObjectMap});
    ExportCommands = new TFileExportCommands(*N1, Exit1, Prompt, *EditPageControl, Controls);
    PatchCommands = new TPatchCommands(*N1, Exit1, *Rom, Prompt);
    N1->insertSeparator(Exit1)->setObjectName(QStringLiteral("N5"));
    connect(PatchCommands, &TPatchCommands::PatchedImageReady, this, &TMainForm::OpenUnsavedImage);
}

void TMainForm::SetTitle(const QString &text) {
    setWindowTitle(text);
}

void TMainForm::ShowDocumentOpened() {
    ModifiedFlags->ClearAll();
    SetTitle(Rom->DisplayName() + QStringLiteral(" - ") + ApplicationTitle);
    CBStage->show();
    CBStage->setCurrentIndex(0);
    Graphics->LocateChr();
    Rom->SetCurrentStage(CBStage->currentIndex());
    Chip16x16Editor->SetBGBankScrollRange(Rom->ChrPageCount());
    EditPageControl->show();
    Save1->setEnabled(true);
    SaveAs1->setEnabled(true);
    Close1->setEnabled(true);
    Edit1->menuAction()->setVisible(true);
    Play->SetDocumentOpen(true);
    SettingsCommand->SetDocumentOpen(true);
    RefreshAllEditors();
    Graphics->ResetPaletteAnimation();
    FrameTimer->Restart();
    OverviewCommand->SetDocumentOpen(true);
    ExportCommands->SetDocumentOpen(true);
    PatchCommands->SetDocumentOpen(true);
}

void TMainForm::ShowNoDocument() {
    SetTitle(ApplicationTitle);
    CBStage->hide();
    EditPageControl->hide();
    Save1->setEnabled(false);
    SaveAs1->setEnabled(false);
    Close1->setEnabled(false);
    Edit1->menuAction()->setVisible(false);
    Play->SetDocumentOpen(false);
    SettingsCommand->SetDocumentOpen(false);
    OverviewCommand->SetDocumentOpen(false);
    ExportCommands->SetDocumentOpen(false);
    PatchCommands->SetDocumentOpen(false);
}

QString TMainForm::SaveQuestion() const {
    return tr("%1への変更を保存しますか？").arg(Rom->DisplayName());
}

bool TMainForm::ConfirmSaveChanges() {
    if (!ModifiedFlags->IsModified())
        return true;
    switch (Prompt.ConfirmSave(SaveQuestion())) {
    case SaveAnswer::Yes:
        // A save that fails stops the operation just like a cancelled dialog: the changes
        // are still only in memory.
        return SaveAsChosen() == SaveOutcome::Saved;
    case SaveAnswer::No:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

TMainForm::SaveOutcome TMainForm::SaveAsChosen() {
    const std::optional<QString> path = Prompt.AskSaveFileName(Folders.SaveFolder());
    if (!path)
        return SaveOutcome::DialogCancelled;
    Folders.ChosenToSave(*path);
    return SaveTo(*path) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

// The title always names the file that Save writes to.
bool TMainForm::SaveTo(const QString &path) {
    const std::optional<ChangedFileAnswer> answer = Outside->AskBeforeSave(path);
    if (answer == ChangedFileAnswer::Cancel)
        return false;
    if (answer == ChangedFileAnswer::SaveAs)
        return SaveAsChosen() == SaveOutcome::Saved;
    if (answer == ChangedFileAnswer::KeepBoth) {
        if (!Rom->SaveKeepingOtherChanges())
            return false;
        // Every stage was read again from the file as written.
        RefreshAllEditors();
    } else if (!Rom->Save(path)) {
        return false;
    }
    SetTitle(path + QStringLiteral(" - ") + ApplicationTitle);
    Recent->Add(path);
    return true;
}

void TMainForm::OpenChosenFile(const QString &path) {
    if (!ConfirmSaveChanges())
        return;
    if (!Rom->Open(path))
        return;
    ShowDocumentOpened();
    Recent->Add(path);
}

void TMainForm::OpenUnsavedImage(const QByteArray &image, const QString &name) {
    if (!ConfirmSaveChanges())
        return;
    if (!Rom->OpenUnsaved(image, name))
        return;
    ShowDocumentOpened();
    // The image exists nowhere but here: every way out asks to save it.
    ModifiedFlags->SetModified(true);
}

void TMainForm::Open1Click() {
    const std::optional<QString> path = Prompt.AskOpenFileName(Folders.OpenFolder());
    if (!path)
        return;
    Folders.ChosenToOpen(*path);
    OpenChosenFile(*path);
}

void TMainForm::Save1Click() {
    if (Rom->FilePath().isEmpty())
        SaveAsChosen();
    else
        SaveTo(Rom->FilePath());
}

void TMainForm::SaveAs1Click() {
    SaveAsChosen();
}

void TMainForm::Close1Click() {
    if (ModifiedFlags->IsModified()) {
        switch (Prompt.ConfirmSave(SaveQuestion())) {
        case SaveAnswer::Yes:
            // A cancelled dialog drops the changes; a failed write keeps the image open
            // so the changes are not lost behind the error box.
            if (SaveAsChosen() == SaveOutcome::Failed)
                return;
            break;
        case SaveAnswer::No:
            break;
        case SaveAnswer::Cancel:
            return;
        }
    }
    Rom->Close();
    ModifiedFlags->ClearAll();
    ShowNoDocument();
}

void TMainForm::Exit1Click() {
    close();
}

void TMainForm::closeEvent(QCloseEvent *event) {
    // Without a settings file the window never started or has already been closed.
    if (!SettingsFile) {
        event->accept();
        return;
    }
    if (!ConfirmSaveChanges()) {
        event->ignore();
        return;
    }
    CurrentSettings().Write(*SettingsFile);
    InterfaceLanguage::Write(*SettingsFile, ViewMenu->ChosenLanguage());
    WriteConvenienceSettings();
    // The program still ends when the settings cannot be written: the image has been saved
    // or deliberately left, and keeping the window open would only trap the user.
    QString error;
    if (!SettingsFile->UpdateFile(&error))
        Prompt.ShowError(error);
    SettingsFile.reset();
    FrameTimer->stop();
    event->accept();
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
    QAction *action = pressed == Undo1->shortcut()   ? Undo1
                      : pressed == Redo1->shortcut() ? Redo1
                                                     : nullptr;
    if (!action)
        return false;
    // Claiming the shortcut keeps a focused line edit from taking the keys as its own
    // text undo; the key press that follows is then handled here.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    Edit1Click();
    if (action->isEnabled())
        action->trigger();
    return true;
}

void TMainForm::Edit1Click() {
    const EditHistory &history = ActiveHistory();
    if (history.CanUndo()) {
        Undo1->setEnabled(true);
        Undo1->setText(tr("元に戻す(&U)") + QStringLiteral(" - ") + history.UndoName());
    } else {
        Undo1->setEnabled(false);
        Undo1->setText(tr("元に戻す(&U)"));
    }
    if (history.CanRedo()) {
        Redo1->setEnabled(true);
        Redo1->setText(tr("やり直し(&R)") + QStringLiteral(" - ") + history.RedoName());
    } else {
        Redo1->setEnabled(false);
        Redo1->setText(tr("やり直し(&R)"));
    }
}

void TMainForm::Undo1Click() {
    const uint8_t category = ActiveHistory().Undo();
    if (category == CategoryPaletteEntry || category == CategoryPaletteAnimeEntry)
        CBSelectPaletteSetChange();
    EditPageControlChange();
}

void TMainForm::Redo1Click() {
    const uint8_t category = ActiveHistory().Redo();
    if (category == CategoryPaletteEntry || category == CategoryPaletteAnimeEntry)
        CBSelectPaletteSetChange();
    EditPageControlChange();
}

void TMainForm::CBStageChange() {
    FrameTimer->stop();
    Rom->SetCurrentStage(CBStage->currentIndex());
    RefreshAllEditors();
    Graphics->ResetPaletteAnimation();
    FrameTimer->Restart();
}

void TMainForm::EditPageControlChange() {
    const int page = EditPageControl->currentIndex();
    // The map set, map and object pages draw from the shared chip sheets, which only the
    // chip pages keep current; bring both up to date first. The chip pages do it themselves.
    if (page == MapSetPage || page == MapPage || page == ObjectPage) {
        Chip16x16Editor->RebuildChipSheet();
        Chip32x32Editor->RebuildChipSheet();
    }
    if (PageController *controller = ActiveController())
        controller->PageActivated();
}

void TMainForm::CBSelectPaletteSetChange() {
    PaletteEditor->CBSelectPaletteSetChange();
}

void TMainForm::RefreshAllEditors() {
    for (EditPageIndex page : RefreshOrder)
        if (PageController *controller = PageControllers[page])
            controller->Refresh();
}

void TMainForm::FrameTimerTimer() {
    // With nothing to animate a tick would change nothing; the next start of the animation
    // (an open, a stage or palette set change, a selector stored) tests again.
    if (!FrameTimer->Animating()) {
        FrameTimer->stop();
        return;
    }
    // Frames that change no colour are not waited for one by one: the timer sleeps until the
    // next step, and each wake plays every frame it stood for.
    bool changed = false;
    for (int frame = FrameTimer->FramesPerWake(); frame > 0; --frame)
        changed = PaletteEditor->AnimationTick() || changed;
    if (FrameTimer->isActive())
        FrameTimer->SleepFrames(PaletteEditor->FramesUntilStep());
    if (!changed)
        return;
    OverviewCommand->AnimationStepped();
    if (PageController *controller = ActiveController())
        controller->RedrawForPalette();
}

PageController *TMainForm::Controller(int page) const {
    if (page < 0 || page >= static_cast<int>(PageControllers.size()))
        return nullptr;
    return PageControllers[page];
}

PageController *TMainForm::ActiveController() const {
    return Controller(EditPageControl->currentIndex());
}

EditHistory &TMainForm::ActiveHistory() const {
    if (PageController *controller = ActiveController())
        if (EditHistory *own = controller->History())
            return *own;
    return *Rom;
}
