#pragma once

#include "dialogfolders.h"
#include "mainform_pages.h"
#include "settings.h"

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <memory>

class AnimationTimer;
class EditFlagManagement;
class EditHistory;
class EditorGraphics;
class FcPaletteData;
class InterfaceTranslation;
class OutsideChanges;
class PageController;
class ProgramFiles;
class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class RecentFiles;
class RomImageData;
class TFileExportCommands;
class THelpMenu;
class TMapSetEditGridForm;
class TMyMemIniFile;
class TPatchCommands;
class TObjectEditForm;
class TShowUnusedChipNumForm;
class TStageOverviewCommand;
class TSettingsCommand;
class TestPlay;
class TViewMenu;
class UserPrompt;

/// The application title: the caption of every box and the window title without a file.
inline const QString ApplicationTitle = QStringLiteral("QUARTEX 3 EDITOR");

/// The editor's one main window and the owner of everything else: the colour table, the
/// modified flags, the settings file, the chip attribute names, the document, the renderer
/// and the page controllers. It runs the document lifecycle (open, save, save as, close,
/// exit), the stage selector, page activation and undo / redo, and forwards the pages'
/// events to their controllers. Borrows the prompt it talks to the user through.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    /// Builds the window and runs the start-up. `programDirectory` is the executable's
    /// folder; the files are found from it as `ProgramFiles` describes.
    TMainForm(UserPrompt &prompt, const QString &programDirectory, QWidget *parent = nullptr);
    ~TMainForm() override;

    /// True when the colour table could not be loaded: nothing else was created and the
    /// window must not be shown.
    bool StartupFailed() const { return StartupHasFailed; }

    RomImageData &Document() { return *Rom; }
    EditFlagManagement &Flags() { return *ModifiedFlags; }
    /// The controller of the tab page `page` (an `EditPageIndex`); null outside the tabs.
    /// Lets the benchmarks time one page's operations without going through events.
    PageController *Controller(int page) const;

    /// Opens `path` as if it had been chosen in the open dialog.
    void OpenChosenFile(const QString &path);
    /// Opens `image` (a patched image) as an image without a file, called `name` until it is
    /// saved: it counts as modified, and Save asks for a file name.
    void OpenUnsavedImage(const QByteArray &image, const QString &name);

    // File menu
    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    void Close1Click();
    void Exit1Click();

    // Edit menu
    void Edit1Click();
    void Undo1Click();
    void Redo1Click();

    void CBStageChange();
    void EditPageControlChange();
    void CBSelectPaletteSetChange();
    void RefreshAllEditors();
    void FrameTimerTimer();

protected:
    /// Closing the window, by the menu or by the window's own close button.
    void closeEvent(QCloseEvent *event) override;
    /// Gives Ctrl+Z and Ctrl+Y to the Edit menu wherever the focus is in this window.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class SaveOutcome { Saved, DialogCancelled, Failed };

    void BuildMenu();
    void BuildStatusBar();
    void BuildPages();
    void FormCreate(const ProgramFiles &files);
    void ApplySettings();
    /// Puts `settings` into the controls, the timer and the undo switch, without any
    /// check box handler running.
    void SetDisplaySettings(const DisplaySettings &settings);
    /// The settings dialog's display settings, in force at once: the animation runs at the
    /// new interval and the page shown is drawn again.
    void ChangeDisplaySettings(const DisplaySettings &settings);
    DisplaySettings CurrentSettings() const;
    void LoadObjectNames(const QString &path);
    void CreateControllers();
    /// Test play, recent files, dropped files, the dialogs' folders and the window's place:
    /// each its own class, created here, wired to the document lifecycle and given its
    /// settings.
    void CreateConveniences();
    void WriteConvenienceSettings();
    void CreateViewAndExportCommands();

    void SetTitle(const QString &text);
    void ShowDocumentOpened();
    void ShowNoDocument();
    QString SaveQuestion() const;
    /// The save confirmation of open and exit: true when the operation may go on.
    bool ConfirmSaveChanges();
    SaveOutcome SaveAsChosen();
    bool SaveTo(const QString &path);
    PageController *ActiveController() const;
    /// The history the Edit menu works on: the active page's own, else the current stage's.
    EditHistory &ActiveHistory() const;

    UserPrompt &Prompt;
    bool StartupHasFailed = false;

    /// The interface language of this run; ahead of everything it translates, so it goes last.
    std::unique_ptr<InterfaceTranslation> Translation;

    std::unique_ptr<FcPaletteData> Colours;
    std::unique_ptr<EditFlagManagement> ModifiedFlags;
    std::unique_ptr<TMyMemIniFile> SettingsFile;
    QStringList ChipAttributeNames;
    std::unique_ptr<RomImageData> Rom;
    std::unique_ptr<EditorGraphics> Graphics;
    std::unique_ptr<PaletteEditClass> PaletteEditor;
    std::unique_ptr<Chip16x16EditClass> Chip16x16Editor;
    std::unique_ptr<Chip32x32EditClass> Chip32x32Editor;
    std::unique_ptr<MapSetEditClass> MapSetEditor;
    std::unique_ptr<MapEditClass> MapEditor;
    std::unique_ptr<ObjectEditClass> ObjectEditor;
    std::unique_ptr<TileEditClass> TileEditor;
    /// The controller of each page in tab order.
    std::array<PageController *, EditPageCount> PageControllers{};
    TestPlay *Play = nullptr;
    TSettingsCommand *SettingsCommand = nullptr;
    RecentFiles *Recent = nullptr;
    OutsideChanges *Outside = nullptr;
    DialogFolders Folders;

    QMenu *N1 = nullptr;
    QAction *Open1 = nullptr;
    QAction *Save1 = nullptr;
    QAction *SaveAs1 = nullptr;
    QAction *Close1 = nullptr;
    QAction *Exit1 = nullptr;
    QMenu *Edit1 = nullptr;
    QAction *Undo1 = nullptr;
    QAction *Redo1 = nullptr;
    /// The 表示 menu; other display commands join it through its `Menu()`.
    TViewMenu *ViewMenu = nullptr;
    THelpMenu *Help = nullptr;
    std::array<QLabel *, 3> StatusPanels{};
    QComboBox *CBStage = nullptr;
    QTabWidget *EditPageControl = nullptr;
    AnimationTimer *FrameTimer = nullptr;
    EditDialogs Dialogs;
    EditPageControls Controls;
    TStageOverviewCommand *OverviewCommand = nullptr;
    TFileExportCommands *ExportCommands = nullptr;
    TPatchCommands *PatchCommands = nullptr;
};
