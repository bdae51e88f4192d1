#include "32x32chippage.h"

#include "ImageEx.h"
#include "common/PageBuilding.h"
#include "UpDown.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Room for the longest property name beside its neighbour in the 2x2 composition.
constexpr int PropertyLabelWidth = 112;

QGroupBox *BuildHalfGroup(QWidget *page, Chip32x32EditControls &controls) {
    auto *group = new QGroupBox(Chip32x32EditClass::tr("表示切替"), page);
    auto *layout = new QHBoxLayout(group);
    auto *upDown = new TUpDown(group);
    upDown->setObjectName(QStringLiteral("UDChange32x32ChipView"));
    upDown->SetRange(0, 1);
    upDown->SetPosition(1);
    // With wrapping, a step is asked for from either arrow although the position sits at
    // the top of the range; the page refuses every step and reads only the arrow.
    upDown->SetWrap(true);
    upDown->setFixedSize(16, 32);
    controls.UDChange32x32ChipView = upDown;
    layout->addWidget(upDown);
    layout->addWidget(new QLabel(QStringLiteral("No:"), group));
    controls.LblEdit32x32ChipView =
        MakeLabel(group, QStringLiteral("LblEdit32x32ChipView"), QStringLiteral("00-7F"));
    layout->addWidget(controls.LblEdit32x32ChipView);
    layout->addStretch();
    return group;
}

QGroupBox *BuildEditedChipGroup(QWidget *page, Chip32x32EditControls &controls) {
    auto *group = new QGroupBox(Chip32x32EditClass::tr("編集対象チップ"), page);
    auto *layout = new QGridLayout(group);
    controls.ImgEdit32x32Chip = MakeImage(group, QStringLiteral("ImgEdit32x32Chip"), 64, 64);
    layout->addWidget(controls.ImgEdit32x32Chip, 0, 0, 2, 1, Qt::AlignTop);
    controls.LblSelect32x32ChipIndex =
        MakeLabel(group, QStringLiteral("LblSelect32x32ChipIndex"), QStringLiteral("00"));
    layout->addLayout(
        CaptionedValue(group, QStringLiteral("No:"), controls.LblSelect32x32ChipIndex), 2, 0);

    auto *indices = new QGridLayout;
    indices->addWidget(new QLabel(Chip32x32EditClass::tr("  構成チップNo:"), group), 0, 0, 1, 2);
    auto *properties = new QGridLayout;
    properties->addWidget(new QLabel(Chip32x32EditClass::tr("構成チップ属性:"), group), 0, 0, 1, 2);
    for (int q = 0; q < 4; ++q) {
        controls.LblStructChipIndex[q] =
            MakeLabel(group, Numbered(u"LblStructChipIndex", q), QStringLiteral("00"));
        indices->addWidget(controls.LblStructChipIndex[q], 1 + q / 2, q % 2);
        controls.LblStructChipProperty[q] =
            MakeLabel(group, Numbered(u"LblStructChipProperty", q), QString());
        controls.LblStructChipProperty[q]->setFixedWidth(PropertyLabelWidth);
        properties->addWidget(controls.LblStructChipProperty[q], 1 + q / 2, q % 2);
    }
    layout->addLayout(indices, 0, 1);
    layout->addLayout(properties, 1, 1, 2, 1);
    layout->setColumnStretch(1, 1);
    return group;
}

QGroupBox *BuildBrushGroup(QWidget *page, Chip32x32EditControls &controls) {
    auto *group = new QGroupBox(Chip32x32EditClass::tr("選択チップ"), page);
    auto *layout = new QHBoxLayout(group);
    controls.ImgSelect16x16Chip = MakeImage(group, QStringLiteral("ImgSelect16x16Chip"), 32, 32);
    layout->addWidget(controls.ImgSelect16x16Chip, 0, Qt::AlignTop);
    auto *texts = new QVBoxLayout;
    controls.LblSelect16x16ChipIndex =
        MakeLabel(group, QStringLiteral("LblSelect16x16ChipIndex"), QStringLiteral("00"));
    texts->addLayout(
        CaptionedValue(group, QStringLiteral("  No:"), controls.LblSelect16x16ChipIndex));
    controls.LblSelect16x16ChipProperty =
        MakeLabel(group, QStringLiteral("LblSelect16x16ChipProperty"), QString());
    texts->addLayout(CaptionedValue(group, Chip32x32EditClass::tr("属性:"),
                                    controls.LblSelect16x16ChipProperty));
    layout->addLayout(texts, 1);
    return group;
}

QVBoxLayout *BuildSideColumn(QWidget *page, Chip32x32EditControls &controls) {
    auto *column = new QVBoxLayout;
    column->addWidget(BuildEditedChipGroup(page, controls));
    auto *brushAndHalf = new QHBoxLayout;
    brushAndHalf->addWidget(BuildBrushGroup(page, controls), 1);
    brushAndHalf->addWidget(BuildHalfGroup(page, controls));
    column->addLayout(brushAndHalf);
    controls.Chk32x32ChipEditDrawGrid =
        MakeCheckBox(page, QStringLiteral("Chk32x32ChipEditDrawGrid"),
                     Chip32x32EditClass::tr("グリッド線の描画"));
    auto *gridAndReload = new QHBoxLayout;
    gridAndReload->addWidget(controls.Chk32x32ChipEditDrawGrid);
    gridAndReload->addStretch(1);
    controls.Button2 =
        MakeButton(page, QStringLiteral("Button2"), Chip32x32EditClass::tr("再読み込み"));
    gridAndReload->addWidget(controls.Button2);
    column->addLayout(gridAndReload);
    auto *buttons = new QHBoxLayout;
    controls.BtnUnused32x32ChipChk = MakeButton(page, QStringLiteral("BtnUnused32x32ChipChk"),
                                                Chip32x32EditClass::tr("未使用チップ番号表示"));
    buttons->addWidget(controls.BtnUnused32x32ChipChk);
    controls.BtnOverlap32x32ChipChk = MakeButton(page, QStringLiteral("BtnOverlap32x32ChipChk"),
                                                 Chip32x32EditClass::tr("重複チップ番号表示"));
    buttons->addWidget(controls.BtnOverlap32x32ChipChk);
    column->addLayout(buttons);
    column->addStretch(1);
    return column;
}
} // namespace

Chip32x32EditControls BuildChip32x32Page(QWidget *page, QLabel *statusPanel,
                                         LazyDialog<TShowUnusedChipNumForm> reportWindow) {
    Chip32x32EditControls controls;
    controls.StatusPanel = statusPanel;
    controls.ReportWindow = reportWindow;

    auto *layout = new QGridLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    controls.ImgEdit32x32ChipView =
        MakeImage(page, QStringLiteral("ImgEdit32x32ChipView"), 512, 256);
    layout->addWidget(controls.ImgEdit32x32ChipView, 0, 0, 1, 2, Qt::AlignLeft);
    controls.Img16x16ChipTable = MakeImage(page, QStringLiteral("Img16x16ChipTable"), 256, 256);
    layout->addWidget(controls.Img16x16ChipTable, 1, 0, Qt::AlignTop);
    layout->addLayout(BuildSideColumn(page, controls), 1, 1);
    layout->setColumnStretch(1, 1);
    // The controls keep their natural height; the page's spare room stays below them.
    layout->setRowStretch(2, 1);
    return controls;
}

void ForwardChip32x32PageEvents(const Chip32x32EditControls &controls,
                                Chip32x32EditClass &controller) {
    Chip32x32EditClass *c = &controller;
    QObject::connect(controls.UDChange32x32ChipView, &TUpDown::ChangingEx, c,
                     &Chip32x32EditClass::UDChange32x32ChipViewClick);
    QObject::connect(controls.ImgEdit32x32ChipView, &TImageEx::MouseDown, c,
                     &Chip32x32EditClass::ImgEdit32x32ChipViewMouseDown);
    QObject::connect(controls.ImgEdit32x32ChipView, &TImageEx::MouseMove, c,
                     &Chip32x32EditClass::ImgEdit32x32ChipViewMouseMove);
    QObject::connect(controls.ImgEdit32x32ChipView, &TImageEx::MouseLeave, c,
                     &Chip32x32EditClass::ImgEdit32x32ChipViewMouseLeave);
    QObject::connect(controls.Img16x16ChipTable, &TImageEx::MouseDown, c,
                     &Chip32x32EditClass::Img16x16ChipTableMouseDown);
    QObject::connect(controls.Img16x16ChipTable, &TImageEx::MouseMove, c,
                     &Chip32x32EditClass::Img16x16ChipTableMouseMove);
    QObject::connect(controls.Img16x16ChipTable, &TImageEx::MouseLeave, c,
                     &Chip32x32EditClass::Img16x16ChipTableMouseLeave);
    QObject::connect(controls.ImgEdit32x32Chip, &TImageEx::MouseDown, c,
                     &Chip32x32EditClass::ImgEdit32x32ChipMouseDown);
    QObject::connect(controls.ImgEdit32x32Chip, &TImageEx::MouseMove, c,
                     &Chip32x32EditClass::ImgEdit32x32ChipMouseMove);
    QObject::connect(controls.ImgEdit32x32Chip, &TImageEx::MouseLeave, c,
                     &Chip32x32EditClass::ImgEdit32x32ChipMouseLeave);
    QObject::connect(controls.Chk32x32ChipEditDrawGrid, &QCheckBox::toggled, c,
                     &Chip32x32EditClass::Chk32x32ChipEditDrawGridClick);
    QObject::connect(controls.Button2, &QPushButton::clicked, c, &Chip32x32EditClass::Button2Click);
    QObject::connect(controls.BtnUnused32x32ChipChk, &QPushButton::clicked, c,
                     &Chip32x32EditClass::BtnUnused32x32ChipChkClick);
    QObject::connect(controls.BtnOverlap32x32ChipChk, &QPushButton::clicked, c,
                     &Chip32x32EditClass::BtnOverlap32x32ChipChkClick);
}
