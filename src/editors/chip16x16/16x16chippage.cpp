#include "16x16chippage.h"

#include "ImageEx.h"
#include "common/PageBuilding.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
constexpr int PanelSize = 16;
constexpr int DesignBankMaximum = 126;
constexpr int PropertyEditWidth = 28;
constexpr int BankBarWidth = 96;

// The attribute names the page shows until the attribute list replaces them.
constexpr std::array<const char *, ChipAttributeItemCount> AttributeDesignTexts = {
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "0x 背景"),
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "1x ブロック"),
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "2x はしご(途中)"),
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "3x 特殊ブロック"),
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "4x はしご(頂点)"),
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "5x コンベア(右)"),
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "6x 背景裏に隠れる"),
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "7x コンベア(左)"),
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "8x 水中"),
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "9x ?"),
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "Ax ?"),
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "Bx ?"),
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "Cx ?"),
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "Dx ダメージ床"),
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "Ex ?"),
    QT_TRANSLATE_NOOP("Chip16x16EditClass", "Fx トゲ")};

QLabel *MakeValueLabel(QWidget *parent, const QString &name) {
    return MakeLabel(parent, name, QStringLiteral("00"));
}

QGroupBox *BuildSelectedTileGroup(QWidget *page, Chip16x16EditControls &controls) {
    auto *group = new QGroupBox(Chip16x16EditClass::tr("選択タイル"), page);
    auto *layout = new QVBoxLayout(group);
    controls.ImgSelectTile = MakeImage(group, QStringLiteral("ImgSelectTile"), 32, 32);
    layout->addWidget(controls.ImgSelectTile, 0, Qt::AlignHCenter);
    controls.LblSelectBGBankTileIndex =
        MakeValueLabel(group, QStringLiteral("LblSelectBGBankTileIndex"));
    layout->addLayout(
        CaptionedValue(group, QStringLiteral("No:"), controls.LblSelectBGBankTileIndex));
    return group;
}

QGroupBox *BuildEditedChipGroup(QWidget *page, Chip16x16EditControls &controls) {
    auto *group = new QGroupBox(Chip16x16EditClass::tr("編集対象チップ"), page);
    auto *layout = new QVBoxLayout(group);
    controls.ImgEdit16x16Chip = MakeImage(group, QStringLiteral("ImgEdit16x16Chip"), 64, 64);
    layout->addWidget(controls.ImgEdit16x16Chip, 0, Qt::AlignHCenter);
    controls.LblSelectChipIndex = MakeValueLabel(group, QStringLiteral("LblSelectChipIndex"));
    layout->addLayout(CaptionedValue(group, QStringLiteral("  No:"), controls.LblSelectChipIndex));

    auto *tiles = new QGridLayout;
    tiles->addWidget(new QLabel(QStringLiteral("Tile:"), group), 0, 0);
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        controls.LblSelectChipTile[quadrant] =
            MakeValueLabel(group, Numbered(u"LblSelectChipTile", quadrant));
        tiles->addWidget(controls.LblSelectChipTile[quadrant], quadrant / 2, 1 + quadrant % 2);
    }
    tiles->setColumnStretch(3, 1);
    layout->addLayout(tiles);

    controls.EditSelectChipProperty =
        MakeHexEdit(group, QStringLiteral("EditSelectChipProperty"), PropertyEditWidth);
    controls.EditSelectChipProperty->setText(QStringLiteral("00"));
    layout->addLayout(
        CaptionedValue(group, Chip16x16EditClass::tr("属性:"), controls.EditSelectChipProperty));
    controls.LblSelectChipProperty =
        MakeLabel(group, QStringLiteral("LblSelectChipProperty"), QStringLiteral("(00 + 0)"));
    layout->addWidget(controls.LblSelectChipProperty);
    layout->addStretch();
    return group;
}

QGroupBox *BuildBankGroup(QWidget *page, Chip16x16EditControls &controls) {
    auto *group = new QGroupBox(Chip16x16EditClass::tr("BGバンク"), page);
    auto *layout = new QGridLayout(group);
    for (int bank = 0; bank < 2; ++bank) {
        layout->addWidget(new QLabel(Numbered(u"Bank", bank) + QStringLiteral(":"), group), bank,
                          0);
        controls.LblBGBank[bank] = MakeValueLabel(group, Numbered(u"LblBGBank", bank));
        layout->addWidget(controls.LblBGBank[bank], bank, 1);
        auto *bar = MakeScrollBar(group, Numbered(u"ScrBarBGBank", bank), Qt::Horizontal,
                                  DesignBankMaximum);
        bar->setProperty("Tag", bank);
        // A page is one bank: a click in the track, PageUp/PageDown and the wheel, with or
        // without Ctrl, each move the bank by one (a page step of 0 would not move at all).
        bar->setPageStep(1);
        bar->setFixedWidth(BankBarWidth);
        controls.ScrBarBGBank[bank] = bar;
        layout->addWidget(bar, bank, 2);
    }
    return group;
}

// The attribute choice lists its items top to bottom in the first column, then the second.
QGroupBox *BuildAttributeChoice(QWidget *page, Chip16x16EditControls &controls) {
    auto *group = new QGroupBox(Chip16x16EditClass::tr("チップ属性"), page);
    group->setObjectName(QStringLiteral("RGChipPropertySelect"));
    auto *layout = new QGridLayout(group);
    layout->setVerticalSpacing(2);
    controls.ChipPropertyGroup = new QButtonGroup(group);
    constexpr int rows = ChipAttributeItemCount / 2;
    for (int attribute = 0; attribute < ChipAttributeItemCount; ++attribute) {
        auto *item =
            new QRadioButton(Chip16x16EditClass::tr(AttributeDesignTexts[attribute]), group);
        controls.ChipPropertyGroup->addButton(item, attribute);
        controls.ChipPropertyItems[attribute] = item;
        layout->addWidget(item, attribute % rows, attribute / rows);
    }
    controls.RGChipPropertySelect = group;
    return group;
}

/// The palette choice: four items side by side, each followed by the four colours of its
/// palette.
QGroupBox *BuildPaletteChoice(QWidget *page, Chip16x16EditControls &controls) {
    auto *group = new QGroupBox(Chip16x16EditClass::tr("使用パレット"), page);
    group->setObjectName(QStringLiteral("RGPaletteSelect"));
    auto *layout = new QHBoxLayout(group);
    controls.PaletteGroup = new QButtonGroup(group);
    for (int palette = 0; palette < ChipPaletteItemCount; ++palette) {
        auto *item = new QRadioButton(QStringLiteral("x") + QString::number(palette), group);
        controls.PaletteGroup->addButton(item, palette);
        layout->addWidget(item);
        auto *colours = new QHBoxLayout;
        colours->setSpacing(0);
        for (int colour = 0; colour < 4; ++colour) {
            const int entry = palette * 4 + colour;
            auto *panel = new QFrame(group);
            panel->setObjectName(Numbered(u"PanelPaletteColor", entry));
            panel->setFixedSize(PanelSize, PanelSize);
            panel->setAutoFillBackground(true);
            controls.PanelPaletteColor[entry] = panel;
            colours->addWidget(panel);
        }
        layout->addLayout(colours);
        layout->addSpacing(8);
    }
    layout->addStretch();
    controls.RGPaletteSelect = group;
    return group;
}
} // namespace

Chip16x16EditControls BuildChip16x16Page(QWidget *page, QLabel *statusPanel,
                                         LazyDialog<TShowUnusedChipNumForm> reportWindow) {
    Chip16x16EditControls controls;
    controls.StatusPanel = statusPanel;
    controls.ReportWindow = reportWindow;

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);

    auto *pictures = new QHBoxLayout;
    controls.ImgBGBankTable = MakeImage(page, QStringLiteral("ImgBGBankTable"), 256, 256);
    pictures->addWidget(controls.ImgBGBankTable, 0, Qt::AlignTop);
    controls.ImgEdit16x16ChipView =
        MakeImage(page, QStringLiteral("ImgEdit16x16ChipView"), 256, 256);
    pictures->addWidget(controls.ImgEdit16x16ChipView, 0, Qt::AlignTop);
    auto *side = new QVBoxLayout;
    side->addWidget(BuildSelectedTileGroup(page, controls));
    side->addStretch();
    controls.Button1 =
        MakeButton(page, QStringLiteral("Button1"), Chip16x16EditClass::tr("再読み込み"));
    side->addWidget(controls.Button1);
    pictures->addLayout(side);
    layout->addLayout(pictures);

    layout->addWidget(BuildPaletteChoice(page, controls));

    auto *editing = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(BuildBankGroup(page, controls));
    controls.BtnUnusedTileChk = MakeButton(page, QStringLiteral("BtnUnusedTileChk"),
                                           Chip16x16EditClass::tr("未使用タイル番号表示"));
    left->addWidget(controls.BtnUnusedTileChk);
    controls.BtnUnused16x16ChipChk = MakeButton(page, QStringLiteral("BtnUnused16x16ChipChk"),
                                                Chip16x16EditClass::tr("未使用チップ番号表示"));
    left->addWidget(controls.BtnUnused16x16ChipChk);
    left->addStretch();
    editing->addLayout(left);
    editing->addWidget(BuildEditedChipGroup(page, controls));
    editing->addWidget(BuildAttributeChoice(page, controls), 1);
    layout->addLayout(editing);
    // The groups keep their natural height; the page's spare room stays below them.
    layout->addStretch(1);
    return controls;
}

void ForwardChip16x16PageEvents(const Chip16x16EditControls &controls,
                                Chip16x16EditClass &controller) {
    Chip16x16EditClass *c = &controller;
    QObject::connect(controls.ImgBGBankTable, &TImageEx::MouseDown, c,
                     &Chip16x16EditClass::ImgBGBankTableMouseDown);
    QObject::connect(controls.ImgBGBankTable, &TImageEx::MouseMove, c,
                     &Chip16x16EditClass::ImgBGBankTableMouseMove);
    QObject::connect(controls.ImgBGBankTable, &TImageEx::MouseLeave, c,
                     &Chip16x16EditClass::ImgBGBankTableMouseLeave);
    QObject::connect(controls.ImgEdit16x16ChipView, &TImageEx::MouseDown, c,
                     &Chip16x16EditClass::ImgEdit16x16ChipViewMouseDown);
    QObject::connect(controls.ImgEdit16x16ChipView, &TImageEx::MouseMove, c,
                     &Chip16x16EditClass::ImgEdit16x16ChipViewMouseMove);
    QObject::connect(controls.ImgEdit16x16ChipView, &TImageEx::MouseLeave, c,
                     &Chip16x16EditClass::ImgEdit16x16ChipViewMouseLeave);
    QObject::connect(controls.ImgEdit16x16Chip, &TImageEx::MouseDown, c,
                     &Chip16x16EditClass::ImgEdit16x16ChipMouseDown);
    QObject::connect(controls.ImgEdit16x16Chip, &TImageEx::MouseMove, c,
                     &Chip16x16EditClass::ImgEdit16x16ChipMouseMove);
    QObject::connect(controls.ImgEdit16x16Chip, &TImageEx::MouseLeave, c,
                     &Chip16x16EditClass::ImgEdit16x16ChipMouseLeave);
    // Only the user's clicks (mouse or keyboard) choose an item; the controller's own
    // checking of items emits no click.
    QObject::connect(controls.ChipPropertyGroup, &QButtonGroup::idClicked, c,
                     &Chip16x16EditClass::RGChipPropertySelectClick);
    QObject::connect(controls.PaletteGroup, &QButtonGroup::idClicked, c,
                     &Chip16x16EditClass::RGPaletteSelectClick);
    QObject::connect(controls.EditSelectChipProperty, &QLineEdit::textChanged, c,
                     &Chip16x16EditClass::EditSelectChipPropertyChange);
    // One scroll event per user action (arrow, page area, key, wheel, each step of a thumb
    // drag), also one that leaves the position where it was, as at either end of the bar.
    // When it arrives the bar's slider position already holds the new position; setting the
    // value from code triggers no action.
    for (int tag = 0; tag < 2; ++tag) {
        QScrollBar *bar = controls.ScrBarBGBank[tag];
        QObject::connect(bar, &QAbstractSlider::actionTriggered, c,
                         [c, bar, tag] { c->ScrBarBGBankXScroll(tag, bar->sliderPosition()); });
    }
    QObject::connect(controls.Button1, &QPushButton::clicked, c, &Chip16x16EditClass::Button1Click);
    QObject::connect(controls.BtnUnusedTileChk, &QPushButton::clicked, c,
                     &Chip16x16EditClass::BtnUnusedTileChkClick);
    QObject::connect(controls.BtnUnused16x16ChipChk, &QPushButton::clicked, c,
                     &Chip16x16EditClass::BtnUnused16x16ChipChkClick);
}
