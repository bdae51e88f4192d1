// guideshots CARTRIDGE OUTDIR
//
// Opens CARTRIDGE in the editor's main window, puts every page, dialog and window into a state
// that shows what it does (a hover frame, a selection, the status text), and writes one PNG per
// picture of the user's guide into OUTDIR. Run from the folder holding fcpalette.pal, on any
// platform plugin (offscreen is fine). Every picture comes from the window's own drawing, so
// running it again after a change brings the guide's pictures up to date.
#include "ImageEx.h"
#include "JapaneseFonts.h"
#include "ScriptedPrompt.h"
#include "TImageExInput.h"
#include "editdata.h"
#include "fileio.h"
#include "filewriting.h"
#include "mainform.h"
#include "mainform_pages.h"
#include "overviewlayout.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace {

QTextStream &Err() {
    static QTextStream stream(stderr);
    return stream;
}

template <typename T> T *Child(QObject &parent, const char *name) {
    T *child = parent.findChild<T *>(QString::fromLatin1(name));
    if (!child) {
        Err() << "guideshots: no control " << name << Qt::endl;
        std::exit(1);
    }
    return child;
}

/// Writes `picture` as a small PNG: a palette image when it has few enough colours (the
/// editor's pictures and its plain controls do), always at the highest compression.
bool SavePicture(const QImage &picture, const QString &path) {
    QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() <= 256; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            colours.insert(line[x]);
    }
    if (colours.size() <= 256) {
        // A sorted colour table: the same picture gives the same bytes on every run.
        QList<QRgb> table(colours.begin(), colours.end());
        std::sort(table.begin(), table.end());
        image = image.convertToFormat(QImage::Format_Indexed8, table,
                                      Qt::ThresholdDither | Qt::AvoidDither);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(0);
    if (!writer.write(image)) {
        Err() << "guideshots: cannot encode " << path << ": " << writer.errorString() << Qt::endl;
        return false;
    }
    QString error;
    if (!FileWriting::WriteWholeFile(path, bytes, error)) {
        Err() << "guideshots: " << error << Qt::endl;
        return false;
    }
    Err() << "wrote " << path << " (" << bytes.size() << " bytes)" << Qt::endl;
    return true;
}

/// Runs `open`, which shows a modal dialog, and takes the dialog's picture once `prepare`
/// has put it into its state; the dialog is then cancelled, so nothing it holds is applied.
/// A null picture when no dialog came up.
QImage GrabModal(const std::function<void()> &open, const std::function<void(QDialog &)> &prepare) {
    QImage shot;
    // Polls from inside the dialog's own event loop; gone with this function, so a dialog
    // that never comes up leaves nothing behind.
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        prepare(*dialog);
        QApplication::processEvents();
        shot = dialog->grab().toImage();
        dialog->reject();
    });
    poll.start();
    open();
    return shot;
}

/// Pops up the file menu where a click on its title would.
void PopUpFileMenu(TMainForm &form) {
    auto *fileMenu = Child<QMenu>(form, "N1");
    const QRect fileItem = form.menuBar()->actionGeometry(fileMenu->menuAction());
    fileMenu->popup(form.menuBar()->mapToGlobal(fileItem.bottomLeft()));
}

class ShotTaker {
public:
    ShotTaker(TMainForm &form, QString folder) : Form(form), Folder(std::move(folder)) {}

    void Page(EditPageIndex page) {
        // The pointer leaves the page it was on, as it does on the way to another tab.
        for (TImageEx *image : Form.findChildren<TImageEx *>())
            Leave(image);
        Child<QTabWidget>(Form, "EditPageControl")->setCurrentIndex(page);
        // Twice: the pages not shown yet are laid out right after the window's first paint,
        // and the window then takes the size every page needs.
        QApplication::processEvents();
        QApplication::processEvents();
    }
    void Window(const QString &name) { Save(Form.grab().toImage(), name); }
    void Window(QWidget &window, const QString &name) { Save(window.grab().toImage(), name); }
    /// The window with the menu that has just popped up drawn over it where it stands (a
    /// menu is a window of its own); the menu is then closed unchosen.
    void WindowWithMenu(const QString &name) {
        QApplication::processEvents();
        QWidget *menu = QApplication::activePopupWidget();
        if (!menu) {
            Err() << "guideshots: no menu for " << name << Qt::endl;
            Failed = true;
            return;
        }
        QImage picture = Form.grab().toImage();
        QPainter painter(&picture);
        painter.drawImage(Form.mapFromGlobal(menu->mapToGlobal(QPoint(0, 0))),
                          menu->grab().toImage());
        painter.end();
        menu->close();
        Save(picture, name);
    }
    void Save(const QImage &image, const QString &name) {
        if (image.isNull() ||
            !SavePicture(image, QDir(Folder).filePath(name + QStringLiteral(".png"))))
            Failed = true;
    }
    bool Failed = false;

private:
    TMainForm &Form;
    QString Folder;
};

void TakeShots(TMainForm &form, ShotTaker &shots) {
    QWidget *image = nullptr;

    shots.Page(MapPage);
    Child<QScrollBar>(form, "ScrBarMap")->setValue(2);
    shots.Window(QStringLiteral("map"));

    shots.Page(MapSetPage);
    Child<QCheckBox>(form, "ChkMapSetEditDrawGrid")->click();
    Click(Child<QWidget>(form, "Img32x32ChipTable"), {5 * 16 + 4, 1 * 16 + 4}, Qt::LeftButton);
    image = Child<QWidget>(form, "ImgEditMapSetPage0");
    Move(image, {2 * 32 + 10, 5 * 32 + 10});
    shots.Window(QStringLiteral("mapset"));

    shots.Save(GrabModal(
                   [&] {
                       Click(image, {3 * 32 + 5, 2 * 32 + 5}, Qt::LeftButton, Qt::ShiftModifier);
                   },
                   [](QDialog &dialog) {
                       auto *grid = Child<QTableWidget>(dialog, "SGridMapSetEdit");
                       grid->setRangeSelected(QTableWidgetSelectionRange(2, 1, 4, 3), true);
                   }),
               QStringLiteral("grid-dialog"));
    Leave(image);
    Child<QCheckBox>(form, "ChkMapSetEditDrawGrid")->click();

    shots.Page(Chip32x32Page);
    Child<QCheckBox>(form, "Chk32x32ChipEditDrawGrid")->click();
    image = Child<QWidget>(form, "ImgEdit32x32ChipView");
    Click(image, {3 * 32 + 4, 1 * 32 + 4}, Qt::LeftButton);
    Click(Child<QWidget>(form, "Img16x16ChipTable"), {6 * 16 + 4, 2 * 16 + 4}, Qt::LeftButton);
    Move(image, {6 * 32 + 20, 2 * 32 + 20});
    shots.Window(QStringLiteral("chip32"));
    Child<QCheckBox>(form, "Chk32x32ChipEditDrawGrid")->click();

    shots.Save(GrabModal([&] { Child<QPushButton>(form, "BtnUnused32x32ChipChk")->click(); },
                         [](QDialog &) {}),
               QStringLiteral("report"));

    shots.Page(Chip16x16Page);
    Click(Child<QWidget>(form, "ImgEdit16x16ChipView"), {4 * 16 + 4, 1 * 16 + 4}, Qt::LeftButton);
    Click(Child<QWidget>(form, "ImgBGBankTable"), {3 * 16 + 4, 2 * 16 + 4}, Qt::LeftButton);
    Move(Child<QWidget>(form, "ImgEdit16x16ChipView"), {7 * 16 + 4, 3 * 16 + 4});
    shots.Window(QStringLiteral("chip16"));

    // The top-left tile of chip 11, viewed with its grid.
    shots.Page(TilePage);
    const int tile = form.Document().CurrentStageData().Chip16x16()[0x11];
    Click(Child<QWidget>(form, "ImgTileTable"), {(tile % 16) * 16 + 4, (tile / 16) * 16 + 4},
          Qt::LeftButton);
    Child<QCheckBox>(form, "ChkTileEditDrawGrid")->click();
    shots.Window(QStringLiteral("tiles"));
    Child<QCheckBox>(form, "ChkTileEditDrawGrid")->click();

    shots.Page(PalettePage);
    Click(Child<QWidget>(form, "ImgColorTable"), {6 * 24 + 4, 2 * 24 + 4}, Qt::LeftButton);
    Move(Child<QWidget>(form, "ImgColorTable"), {9 * 24 + 4, 1 * 24 + 4});
    shots.Window(QStringLiteral("palette"));

    shots.Page(ObjectPage);
    // The first room with two objects on the left: its first object selected, its last one
    // under the pointer, with the pop-up off (a pop-up is a window of its own, outside the
    // picture).
    StageData &stage = form.Document().CurrentStageData();
    int room = 0;
    while (room < 46 && stage.ObjectList(room).size() < 2)
        ++room;
    Child<QScrollBar>(form, "ScrBarObjectMap")->setValue(room);
    image = Child<QWidget>(form, "ImgObjectMapPage0");
    Child<QCheckBox>(form, "ChkPopupHint")->click();
    const std::list<ObjectNode> &objects = stage.ObjectList(room);
    if (!objects.empty()) {
        const QPoint first(objects.front().X, objects.front().Y);
        Move(image, first);
        Click(image, first, Qt::LeftButton);
        const QPoint last(objects.back().X, objects.back().Y);
        Move(image, last);
        Click(image, last, Qt::RightButton);
    }
    shots.WindowWithMenu(QStringLiteral("objects"));
    Child<QCheckBox>(form, "ChkPopupHint")->click();

    // Shift+click on a spot of the room with no object nearby.
    QPoint empty;
    for (int y = 8; y < 256 && empty.isNull(); y += 16)
        for (int x = 8; x < 256 && empty.isNull(); x += 16)
            if (std::none_of(objects.begin(), objects.end(), [&](const ObjectNode &node) {
                    return std::abs(node.X - x) <= 9 && std::abs(node.Y - y) <= 9;
                }))
                empty = {x, y};
    Move(image, empty);
    shots.Save(GrabModal([&] { Click(image, empty, Qt::LeftButton, Qt::ShiftModifier); },
                         [](QDialog &) {}),
               QStringLiteral("object-dialog"));

    shots.Page(MapPage);
    PopUpFileMenu(form);
    shots.WindowWithMenu(QStringLiteral("file-menu"));

    // The whole stage at a glance: twelve rooms to a row at the smallest zoom (a quarter),
    // with the object markers and the room numbers, in a window just large enough for them.
    constexpr int columns = 12;
    constexpr int roomPixels = StageOverviewLayout::RoomSize / 4;
    Child<QAction>(form, "StageOverview1")->trigger();
    auto *overview = Child<QWidget>(form, "StageOverviewForm");
    Child<QCheckBox>(*overview, "ChkOverviewObjects")->click();
    Child<QSpinBox>(*overview, "SpinOverviewColumns")->setValue(columns);
    auto *zoomOut = Child<QPushButton>(*overview, "BtnOverviewZoomOut");
    for (int step = 0; step < 3; ++step)
        zoomOut->click();
    // Twice: the first size may still make room for scroll bars the rooms no longer need.
    for (int pass = 0; pass < 2; ++pass) {
        QApplication::processEvents();
        const QSize viewSize =
            Child<QAbstractScrollArea>(*overview, "ViewOverview")->viewport()->size();
        overview->resize(overview->size() - viewSize +
                         QSize(columns, RoomCount / columns) * roomPixels);
    }
    QApplication::processEvents();
    shots.Window(*overview, QStringLiteral("overview"));
    overview->close();
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    InstallJapaneseFontSubstitutions();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3 && arguments.size() != 4) {
        Err() << "usage: guideshots CARTRIDGE OUTDIR [LANGUAGE] (run where fcpalette.pal is)"
              << Qt::endl;
        return 2;
    }
    // A program folder of its own: the user's settings are neither read nor written, while
    // the sample name lists beside this program name the kinds and attributes as shipped.
    // The interface speaks the language of the guide the pictures are for.
    QTemporaryDir programDir;
    for (const QString &name :
         {QStringLiteral("ObjectList.txt"), QStringLiteral("ChipAttributes.txt"),
          QStringLiteral("ObjectList.en.txt"), QStringLiteral("ChipAttributes.en.txt")})
        QFile::copy(QDir(QApplication::applicationDirPath()).filePath(name),
                    programDir.filePath(name));
    if (arguments.size() == 4) {
        QString error;
        if (!FileWriting::WriteWholeFile(programDir.filePath(QStringLiteral("quartex3editor.ini")),
                                         "[Display]\nLanguage=" + arguments.at(3).toUtf8() + '\n',
                                         error)) {
            Err() << "guideshots: " << error << Qt::endl;
            return 1;
        }
    }

    ScriptedPrompt prompt;
    TMainForm form(prompt, programDir.path());
    if (form.StartupFailed())
        return 1;
    form.show();
    ShotTaker shots(form, arguments.at(2));
    PopUpFileMenu(form);
    shots.WindowWithMenu(QStringLiteral("start"));
    form.OpenChosenFile(QFileInfo(arguments.at(1)).absoluteFilePath());
    // A still palette: the same cartridge gives the same pictures on every run.
    Child<QTimer>(form, "FrameTimer")->stop();
    TakeShots(form, shots);
    for (const QString &text : prompt.Messages + prompt.Errors)
        Err() << "guideshots: the editor said: " << text << Qt::endl;
    return shots.Failed || !prompt.Messages.isEmpty() || !prompt.Errors.isEmpty() ? 1 : 0;
}
