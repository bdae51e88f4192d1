#pragma once

#include "chip16x16/16x16chipedit.h"
#include "EditorPageFixture.h"
#include "chip16x16/16x16chippage.h"
#include "chipusage/showUnusedChipNumForm.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>
#include <utility>

// The bench of the 16x16 chip page tests: the page on an opened synthetic image, and the
// pixels its pictures must show, decoded here from the image bytes independently of the
// renderer.
namespace Chip16x16Test {
inline int32_t ChipPropertyOffset(int chip) {
    return CartridgeBuilder::DefaultOffset(StageTable::ChipProperty, 0) + chip;
}

/// The 16x16 chip page as the main window sets it up, on an opened synthetic image.
class Chip16x16PageBench : public EditorPageFixture {
public:
    explicit Chip16x16PageBench(const CartridgeBuilder &builder = CartridgeBuilder())
        : EditorPageFixture(builder), ReportWindow(Prompt()),
          Controls(BuildChip16x16Page(&Page, &StatusPanel, &ReportWindow)),
          Controller(Document(), Flags(), Graphics(), Prompt()) {
        Controller.SetControls(Controls);
        ForwardChip16x16PageEvents(Controls, Controller);
        Controller.SetBGBankScrollRange(Document().ChrPageCount());
        PrepareStage(0, SheetsRebuilt::None);
        Controller.Refresh();
        ShowPage(QSize(627, 640));
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
    bool ChipFlag() { return EditFlag(EditArea::Chip16x16); }
    uint8_t Tile(int quadrant, int chip) { return Stage().Chip16x16()[quadrant * 256 + chip]; }
    uint8_t Property(int chip) { return Stage().ChipProperty()[chip]; }

    /// Gives the renderer the stage's palette set `set`, as a set change or an animation
    /// step does; the expected colours follow it.
    void UsePaletteSet(int set) {
        ShownPaletteSet = set;
        Graphics().SetStagePalette(Stage().BGPalette(set));
    }
    /// The colour of colour number `colour` of palette `palette` of the stage's set in use
    /// (set 0 unless a test chose another).
    QRgb StageColour(int palette, int colour) {
        return MasterColour(Stage().BGPalette(ShownPaletteSet)[palette * 4 + colour]);
    }
    /// The colour number 0..3 of pixel (x, y) of tile `tile`, decoded from the image bytes.
    int TileColourNumber(uint8_t tile, int x, int y) {
        const int bank = Stage().BGBank()[tile < 0x80 ? 0 : 1];
        return ColourNumber(Image(), CartridgeBuilder::ChrBase + 0x400 * bank + 16 * (tile & 0x7F),
                            x, y);
    }
    /// The colour pixel (x, y), 0..15 each, of chip `chip` must have.
    QRgb ChipPixel(int chip, int x, int y) {
        const uint8_t tile = Tile((y / 8) * 2 + x / 8, chip);
        return StageColour(Property(chip) & 3, TileColourNumber(tile, x % 8, y % 8));
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
        return Shows(BankTable(), (tile % 16) * 16, (tile / 16) * 16, 8, 2, [&](int x, int y) {
            return StageColour(palette, TileColourNumber(tile, x, y));
        });
    }
    bool TilePreviewShows(uint8_t tile, int palette) {
        return Shows(TilePreview(), 0, 0, 8, 4, [&](int x, int y) {
            return StageColour(palette, TileColourNumber(tile, x, y));
        });
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

    int ShownPaletteSet = 0;
    TShowUnusedChipNumForm ReportWindow;
    Chip16x16EditControls Controls;
    Chip16x16EditClass Controller;
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
