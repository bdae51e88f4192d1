#pragma once

#include "16x16chipedit.h"
#include "CartridgeBuilder.h"
#include "ImageEx.h"
#include "MyIniFiles.h"
#include "ScriptedPrompt.h"
#include "chip16x16page.h"
#include "edit_flag.h"
#include "fcpalette.h"
#include "fileio.h"
#include "graphics.h"
#include "showUnusedChipNumForm.h"

#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <utility>

// The bench of the 16x16 chip page tests: the page on an opened synthetic image, and the
// pixels its pictures must show, decoded here from the image bytes independently of the
// renderer.
namespace Chip16x16Test {
// Every master colour is different and none is the magenta of the hover frame.
inline QRgb MasterColour(int index) {
    return qRgb(4 * index, 0x80 ^ index, 255 - 4 * index);
}
inline const QRgb Magenta = qRgb(255, 0, 255);

inline QString Hex2(int value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

inline bool WriteFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray MasterPaletteBytes() {
    QByteArray bytes;
    for (int i = 0; i < FcPaletteData::ColourCount; ++i) {
        const QRgb c = MasterColour(i);
        bytes.append(static_cast<char>(qRed(c)));
        bytes.append(static_cast<char>(qGreen(c)));
        bytes.append(static_cast<char>(qBlue(c)));
    }
    return bytes;
}

inline bool HasFramePixel(const QImage &picture) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) == Magenta)
                return true;
    return false;
}

/// Setting up the bench cannot go on after a failure, so it ends the test run.
inline void Require(bool condition, const char *what) {
    if (!condition)
        qFatal("bench set-up failed: %s", what);
}

inline void MoveWithButtonHeld(QWidget *widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

inline void Press(QWidget *widget, QPoint at, Qt::MouseButton button,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), widget->mapToGlobal(QPointF(at)),
                      button, button, modifiers);
    QCoreApplication::sendEvent(widget, &press);
}

inline void Leave(QWidget *widget) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &leave);
}

inline void TypeInto(QLineEdit *edit, const QString &text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

inline int32_t ChipPropertyOffset(int chip) {
    return CartridgeBuilder::DefaultOffset(StageTable::ChipProperty, 0) + chip;
}

/// The 16x16 chip page as the main window sets it up, on an opened synthetic image.
class Chip16x16PageBench {
public:
    explicit Chip16x16PageBench(const CartridgeBuilder &builder = CartridgeBuilder())
        : Image(builder) {
        Require(Dir.isValid(), "temporary folder");
        Require(builder.WriteTo(Dir.filePath(QStringLiteral("stage.nes"))), "image file");
        Require(WriteFile(Dir.filePath(QStringLiteral("fcpalette.pal")), MasterPaletteBytes()),
                "colour file");
        Colours = FcPaletteData::Load(Dir.filePath(QStringLiteral("fcpalette.pal")), Prompt);
        Require(Colours != nullptr, "colour table");
        Settings = std::make_unique<TMyMemIniFile>(Dir.filePath(QStringLiteral("test.ini")));
        Document = std::make_unique<RomImageData>(Flags, AttributeNames, *Settings, Prompt);
        Graphics = std::make_unique<EditorGraphics>(*Colours, *Document);
        ReportWindow = std::make_unique<TShowUnusedChipNumForm>(Prompt);
        Controller = std::make_unique<Chip16x16EditClass>(*Document, Flags, *Graphics, Prompt);
        Controls = BuildChip16x16Page(&Page, &StatusPanel, ReportWindow.get());
        Controller->SetControls(Controls);
        ForwardChip16x16PageEvents(Controls, *Controller);

        Require(Document->Open(Dir.filePath(QStringLiteral("stage.nes"))), "open");
        Flags.ClearAll();
        Graphics->LocateChr();
        Document->SetCurrentStage(0);
        Controller->SetBGBankScrollRange(Document->ChrPageCount());
        Graphics->SetStagePalette(Stage().BGPalette(0));
        Controller->Refresh();

        QCursor::setPos(-500, -500);
        Page.resize(627, 640);
        Page.show();
        Require(QTest::qWaitForWindowExposed(&Page), "page shown");
    }

    template <typename T> T *Find(const QString &name) {
        T *control = Page.findChild<T *>(name);
        if (!control)
            qFatal("control %s missing", qPrintable(name));
        return control;
    }
    TImageEx *BankTable() { return Find<TImageEx>(QStringLiteral("ImgBGBankTable")); }
    TImageEx *ChipView() { return Find<TImageEx>(QStringLiteral("ImgEdit16x16ChipView")); }
    TImageEx *EditedChip() { return Find<TImageEx>(QStringLiteral("ImgEdit16x16Chip")); }
    TImageEx *TilePreview() { return Find<TImageEx>(QStringLiteral("ImgSelectTile")); }
    QLabel *Label(const QString &name) { return Find<QLabel>(name); }
    QLineEdit *PropertyEdit() { return Find<QLineEdit>(QStringLiteral("EditSelectChipProperty")); }
    QScrollBar *BankBar(int bank) {
        return Find<QScrollBar>(QStringLiteral("ScrBarBGBank%1").arg(bank));
    }
    StageData &Stage() { return Document->CurrentStageData(); }
    bool ChipFlag() { return Flags.EditFlag(EditArea::Chip16x16, 0); }
    uint8_t Tile(int quadrant, int chip) { return Stage().Chip16x16()[quadrant * 256 + chip]; }
    uint8_t Property(int chip) { return Stage().ChipProperty()[chip]; }

    /// The colour of colour number `colour` of palette `palette` of the stage's set 0.
    QRgb StageColour(int palette, int colour) {
        return MasterColour(Stage().BGPalette(0)[palette * 4 + colour]);
    }
    /// The colour number 0..3 of pixel (x, y) of tile `tile`, decoded from the image bytes.
    int ColourNumber(uint8_t tile, int x, int y) {
        const int bank = Stage().BGBank()[tile < 0x80 ? 0 : 1];
        const int32_t address = CartridgeBuilder::ChrBase + 0x400 * bank + 16 * (tile & 0x7F);
        const int bit = 7 - x;
        return ((Image.Byte(address + y) >> bit) & 1) +
               2 * ((Image.Byte(address + y + 8) >> bit) & 1);
    }
    /// The colour pixel (x, y), 0..15 each, of chip `chip` must have.
    QRgb ChipPixel(int chip, int x, int y) {
        const uint8_t tile = Tile((y / 8) * 2 + x / 8, chip);
        return StageColour(Property(chip) & 3, ColourNumber(tile, x % 8, y % 8));
    }
    /// True when `image` shows from (x0, y0) a square of `size` source pixels, each enlarged
    /// `zoom` times and of the colour `expected`(x, y) names.
    template <typename Expected>
    bool Shows(TImageEx *image, int x0, int y0, int size, int zoom, Expected expected) {
        for (int y = 0; y < size * zoom; ++y)
            for (int x = 0; x < size * zoom; ++x)
                if (image->Picture().pixel(x0 + x, y0 + y) != expected(x / zoom, y / zoom))
                    return false;
        return true;
    }
    bool ChipViewShows(int chip) {
        return Shows(ChipView(), (chip % 16) * 16, (chip / 16) * 16, 16, 1,
                     [&](int x, int y) { return ChipPixel(chip, x, y); });
    }
    bool EditedChipShows(int chip) {
        return Shows(EditedChip(), 0, 0, 16, 4,
                     [&](int x, int y) { return ChipPixel(chip, x, y); });
    }
    bool BankTableShows(uint8_t tile, int palette) {
        return Shows(BankTable(), (tile % 16) * 16, (tile / 16) * 16, 8, 2,
                     [&](int x, int y) { return StageColour(palette, ColourNumber(tile, x, y)); });
    }
    bool TilePreviewShows(uint8_t tile, int palette) {
        return Shows(TilePreview(), 0, 0, 8, 4,
                     [&](int x, int y) { return StageColour(palette, ColourNumber(tile, x, y)); });
    }

    void ClickChipView(int chip, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {},
                       int quadrant = 0) {
        QTest::mouseClick(ChipView(), button, modifiers,
                          QPoint((chip % 16) * 16 + (quadrant % 2) * 8 + 3,
                                 (chip / 16) * 16 + (quadrant / 2) * 8 + 3));
    }
    void ClickBankTable(int tile, Qt::MouseButton button) {
        QTest::mouseClick(BankTable(), button, {},
                          QPoint((tile % 16) * 16 + 5, (tile / 16) * 16 + 5));
    }
    void ClickQuadrant(int quadrant, Qt::MouseButton button) {
        QTest::mouseClick(EditedChip(), button, {},
                          QPoint((quadrant % 2) * 32 + 10, (quadrant / 2) * 32 + 10));
    }

    CartridgeBuilder Image;
    QTemporaryDir Dir;
    ScriptedPrompt Prompt;
    EditFlagManagement Flags;
    QStringList AttributeNames;
    std::unique_ptr<FcPaletteData> Colours;
    std::unique_ptr<TMyMemIniFile> Settings;
    std::unique_ptr<RomImageData> Document;
    std::unique_ptr<EditorGraphics> Graphics;
    std::unique_ptr<TShowUnusedChipNumForm> ReportWindow;
    QWidget Page;
    QLabel StatusPanel;
    Chip16x16EditControls Controls;
    std::unique_ptr<Chip16x16EditClass> Controller;
};

/// A chip whose four tiles all come from bank 0 and one with a tile from bank 1.
inline std::pair<int, int> ChipsByBank(StageData &stage) {
    int bank0Only = -1;
    int usesBank1 = -1;
    for (int chip = 0; chip < 256; ++chip) {
        bool bank1 = false;
        for (int q = 0; q < 4; ++q)
            bank1 = bank1 || stage.Chip16x16()[q * 256 + chip] >= 0x80;
        (bank1 ? usesBank1 : bank0Only) = chip;
    }
    return {bank0Only, usesBank1};
}
} // namespace Chip16x16Test
