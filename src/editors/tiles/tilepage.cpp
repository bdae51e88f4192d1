#include "tilepage.h"

#include "ImageEx.h"
#include "common/PageBuilding.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

QGroupBox *BuildPaletteChoice(QWidget *parent, TileEditControls &controls) {
    auto *group = new QGroupBox(TileEditClass::tr("使用パレット"), parent);
    group->setObjectName(QStringLiteral("RGTilePalette"));
    auto *layout = new QHBoxLayout(group);
    controls.PaletteGroup = new QButtonGroup(group);
    for (int palette = 0; palette < 4; ++palette) {
        auto *item = new QRadioButton(QStringLiteral("x") + QString::number(palette), group);
        item->setObjectName(Numbered(u"RBTilePalette", palette));
        controls.PaletteGroup->addButton(item, palette);
        layout->addWidget(item);
    }
    controls.PaletteGroup->button(0)->setChecked(true);
    layout->addStretch();
    return group;
}

QGridLayout *BuildToolButtons(QWidget *parent, TileEditControls &controls) {
    auto *grid = new QGridLayout;
    const auto add = [&](QPushButton *&button, const char16_t *name, const QString &caption,
                         int row, int column) {
        button = MakeButton(parent, QString::fromUtf16(name), caption);
        grid->addWidget(button, row, column);
    };
    add(controls.BtnTileFill, u"BtnTileFill", TileEditClass::tr("塗りつぶし"), 0, 0);
    controls.BtnTileFill->setCheckable(true);
    add(controls.BtnTileClear, u"BtnTileClear", TileEditClass::tr("消去"), 0, 1);
    add(controls.BtnTileFlipH, u"BtnTileFlipH", TileEditClass::tr("左右反転"), 1, 0);
    add(controls.BtnTileFlipV, u"BtnTileFlipV", TileEditClass::tr("上下反転"), 1, 1);
    add(controls.BtnTileRotate, u"BtnTileRotate", TileEditClass::tr("右に90°回転"), 2, 0);
    add(controls.BtnTileCopy, u"BtnTileCopy", TileEditClass::tr("コピー"), 3, 0);
    add(controls.BtnTilePaste, u"BtnTilePaste", TileEditClass::tr("貼り付け"), 3, 1);
    add(controls.BtnTileExport, u"BtnTileExport", TileEditClass::tr("PNG書き出し"), 4, 0);
    add(controls.BtnTileImport, u"BtnTileImport", TileEditClass::tr("PNG読み込み"), 4, 1);
    return grid;
}

} // namespace

TileEditControls BuildTilePage(QWidget *page) {
    TileEditControls controls;
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(4, 4, 4, 4);
    controls.LblTileNoChr =
        MakeLabel(page, QStringLiteral("LblTileNoChr"),
                  TileEditClass::tr("このROMイメージにはCHRデータがないため、タイルは編集できません"
                                    "(ヘッダのバイト5が0)"));
    controls.LblTileNoChr->hide();
    outer->addWidget(controls.LblTileNoChr);
    controls.Content = new QWidget(page);
    controls.Content->setObjectName(QStringLiteral("TileContent"));
    outer->addWidget(controls.Content);
    outer->addStretch(1);

    QWidget *content = controls.Content;
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *pictures = new QHBoxLayout;
    controls.ImgTileTable = MakeImage(content, QStringLiteral("ImgTileTable"), 256, 256);
    pictures->addWidget(controls.ImgTileTable, 0, Qt::AlignTop);
    auto *editing = new QVBoxLayout;
    controls.ImgEditTile = MakeImage(content, QStringLiteral("ImgEditTile"), 192, 192);
    editing->addWidget(controls.ImgEditTile);
    controls.ChkTileEditDrawGrid = MakeCheckBox(content, QStringLiteral("ChkTileEditDrawGrid"),
                                                TileEditClass::tr("グリッド表示"));
    editing->addWidget(controls.ChkTileEditDrawGrid);
    controls.ImgTileColor = MakeImage(content, QStringLiteral("ImgTileColor"), 128, 32);
    editing->addWidget(controls.ImgTileColor);
    editing->addStretch();
    pictures->addLayout(editing);
    auto *side = new QVBoxLayout;
    controls.ImgTileChip = MakeImage(content, QStringLiteral("ImgTileChip"), 128, 128);
    side->addWidget(controls.ImgTileChip);
    controls.LblTileChip = MakeLabel(content, QStringLiteral("LblTileChip"), QString());
    side->addWidget(controls.LblTileChip);
    side->addLayout(BuildToolButtons(content, controls));
    side->addStretch();
    controls.BtnTileReload =
        MakeButton(content, QStringLiteral("BtnTileReload"), TileEditClass::tr("再読み込み"));
    side->addWidget(controls.BtnTileReload);
    pictures->addLayout(side);
    pictures->addStretch();
    layout->addLayout(pictures);
    layout->addWidget(BuildPaletteChoice(content, controls));
    controls.LblTileInfo = MakeLabel(content, QStringLiteral("LblTileInfo"), QString());
    layout->addWidget(controls.LblTileInfo);
    controls.LblTileStages = MakeLabel(content, QStringLiteral("LblTileStages"), QString());
    layout->addWidget(controls.LblTileStages);
    return controls;
}

void ForwardTilePageEvents(const TileEditControls &controls, TileEditClass &controller) {
    TileEditClass *c = &controller;
    QObject::connect(controls.ImgTileTable, &TImageEx::MouseDown, c,
                     &TileEditClass::ImgTileTableMouseDown);
    QObject::connect(controls.ImgEditTile, &TImageEx::MouseDown, c,
                     &TileEditClass::ImgEditTileMouseDown);
    QObject::connect(controls.ImgEditTile, &TImageEx::MouseMove, c,
                     &TileEditClass::ImgEditTileMouseMove);
    QObject::connect(controls.ImgEditTile, &TImageEx::MouseUp, c,
                     &TileEditClass::ImgEditTileMouseUp);
    QObject::connect(controls.ImgTileColor, &TImageEx::MouseDown, c,
                     &TileEditClass::ImgTileColorMouseDown);
    QObject::connect(controls.PaletteGroup, &QButtonGroup::idClicked, c,
                     &TileEditClass::RGTilePaletteClick);
    QObject::connect(controls.ChkTileEditDrawGrid, &QCheckBox::clicked, c,
                     &TileEditClass::ChkTileEditDrawGridClick);
    QObject::connect(controls.BtnTileFlipH, &QPushButton::clicked, c,
                     &TileEditClass::BtnTileFlipHClick);
    QObject::connect(controls.BtnTileFlipV, &QPushButton::clicked, c,
                     &TileEditClass::BtnTileFlipVClick);
    QObject::connect(controls.BtnTileRotate, &QPushButton::clicked, c,
                     &TileEditClass::BtnTileRotateClick);
    QObject::connect(controls.BtnTileClear, &QPushButton::clicked, c,
                     &TileEditClass::BtnTileClearClick);
    QObject::connect(controls.BtnTileCopy, &QPushButton::clicked, c, &TileEditClass::CopyTile);
    QObject::connect(controls.BtnTilePaste, &QPushButton::clicked, c, &TileEditClass::PasteTile);
    QObject::connect(controls.BtnTileExport, &QPushButton::clicked, c,
                     &TileEditClass::BtnTileExportClick);
    QObject::connect(controls.BtnTileImport, &QPushButton::clicked, c,
                     &TileEditClass::BtnTileImportClick);
    QObject::connect(controls.BtnTileReload, &QPushButton::clicked, c,
                     &TileEditClass::BtnTileReloadClick);
    // Only while the page is shown and enabled: the shortcuts of a hidden tab page, or of a
    // disabled one, do not fire.
    auto *copy = new QShortcut(QKeySequence::Copy, controls.Content);
    auto *paste = new QShortcut(QKeySequence::Paste, controls.Content);
    QObject::connect(copy, &QShortcut::activated, c, &TileEditClass::CopyTile);
    QObject::connect(paste, &QShortcut::activated, c, &TileEditClass::PasteTile);
}
