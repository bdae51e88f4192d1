#include "mapsetpage.h"

#include "HexText.h"
#include "ImageEx.h"
#include "common/PageBuilding.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
QGroupBox *BuildPagesGroup(QWidget *page, MapSetEditControls &controls) {
    auto *group = new QGroupBox(MapSetEditClass::tr("表示ページ"), page);
    auto *layout = new QGridLayout(group);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setVerticalSpacing(2);
    for (int n = 0; n < 2; ++n) {
        controls.ImgEditMapSetPage[n] =
            MakeImage(group, Numbered(u"ImgEditMapSetPage", n), 256, 256, n);
        layout->addWidget(controls.ImgEditMapSetPage[n], 0, n);

        auto *chooser = new QHBoxLayout;
        chooser->setSpacing(6);
        chooser->addWidget(new QLabel(Numbered(u"Page", n) + u':', group));
        controls.LblMapSetPage[n] = MakeLabel(group, Numbered(u"LblMapSetPage", n), HexText(n));
        chooser->addWidget(controls.LblMapSetPage[n]);
        controls.ScrBarSelectPage[n] =
            MakeScrollBar(group, Numbered(u"ScrBarSelectPage", n), Qt::Horizontal, 31);
        controls.ScrBarSelectPage[n]->setValue(n);
        // The tag tells the two choosers apart, as it does for the images.
        controls.ScrBarSelectPage[n]->setProperty("Tag", n);
        chooser->addWidget(controls.ScrBarSelectPage[n], 1);
        layout->addLayout(chooser, 1, n);
    }
    // Upright beside the pages: the tab page has no height to spare for another row.
    controls.ScrBarMapSet = MakeScrollBar(group, QStringLiteral("ScrBarMapSet"), Qt::Vertical, 30);
    layout->addWidget(controls.ScrBarMapSet, 0, 2);
    return group;
}

QGroupBox *BuildSelectedChipGroup(QWidget *page, MapSetEditControls &controls) {
    auto *group = new QGroupBox(MapSetEditClass::tr("選択チップ"), page);
    auto *layout = new QGridLayout(group);
    layout->setContentsMargins(6, 4, 6, 4);
    controls.ImgSelect32x32Chip = MakeImage(group, QStringLiteral("ImgSelect32x32Chip"), 64, 64);
    layout->addWidget(controls.ImgSelect32x32Chip, 0, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("No:"), group), 1, 0);
    controls.LblMapSetSelect32x32ChipIndex =
        MakeLabel(group, QStringLiteral("LblMapSetSelect32x32ChipIndex"), QStringLiteral("00"));
    layout->addWidget(controls.LblMapSetSelect32x32ChipIndex, 1, 1);

    layout->addWidget(new QLabel(MapSetEditClass::tr("構成チップNo:"), group), 2, 0, 1, 2);
    auto *indices = new QGridLayout;
    layout->addLayout(indices, 3, 0, 1, 2);
    layout->addWidget(new QLabel(MapSetEditClass::tr("構成チップ属性:"), group), 4, 0, 1, 2);
    auto *properties = new QGridLayout;
    layout->addLayout(properties, 5, 0, 1, 2);
    // Laid out 2 x 2 like the quarters of the chip they describe.
    for (int q = 0; q < 4; ++q) {
        controls.LblMapSetStructChipIndex[q] =
            MakeLabel(group, Numbered(u"LblMapSetStructChipIndex", q), QStringLiteral("00"));
        indices->addWidget(controls.LblMapSetStructChipIndex[q], q / 2, q % 2);
        controls.LblMapSetStructChipProperty[q] =
            MakeLabel(group, Numbered(u"LblMapSetStructChipProperty", q), QString());
        properties->addWidget(controls.LblMapSetStructChipProperty[q], q / 2, q % 2);
    }
    layout->setRowStretch(6, 1);
    return group;
}
} // namespace

MapSetEditControls BuildMapSetPage(QWidget *page, QLabel *statusPanel,
                                   LazyDialog<TMapSetEditGridForm> gridForm,
                                   LazyDialog<TShowUnusedChipNumForm> reportWindow) {
    MapSetEditControls controls;
    controls.StatusPanel = statusPanel;
    controls.GridForm = gridForm;
    controls.ReportWindow = reportWindow;

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(BuildPagesGroup(page, controls), 0, Qt::AlignLeft);

    auto *lower = new QHBoxLayout;
    controls.Img32x32ChipTable = MakeImage(page, QStringLiteral("Img32x32ChipTable"), 256, 256);
    lower->addWidget(controls.Img32x32ChipTable, 0, Qt::AlignTop);
    lower->addWidget(BuildSelectedChipGroup(page, controls));
    // A column of its own: under the chip group it would make the row taller than the table.
    auto *side = new QVBoxLayout;
    controls.ChkMapSetEditDrawGrid = MakeCheckBox(page, QStringLiteral("ChkMapSetEditDrawGrid"),
                                                  MapSetEditClass::tr("グリッド線の描画"));
    side->addWidget(controls.ChkMapSetEditDrawGrid);
    controls.Button3 =
        MakeButton(page, QStringLiteral("Button3"), MapSetEditClass::tr("再読み込み"));
    side->addWidget(controls.Button3);
    controls.BtnReplaceMapSetChip = MakeButton(page, QStringLiteral("BtnReplaceMapSetChip"),
                                               MapSetEditClass::tr("重複チップを置換"));
    side->addWidget(controls.BtnReplaceMapSetChip);
    side->addStretch(1);
    lower->addLayout(side);
    lower->addStretch(1);
    layout->addLayout(lower);
    layout->addStretch(1);
    return controls;
}

void ForwardMapSetPageEvents(const MapSetEditControls &controls, MapSetEditClass &controller) {
    MapSetEditClass *c = &controller;
    for (TImageEx *image : controls.ImgEditMapSetPage) {
        QObject::connect(image, &TImageEx::MouseDown, c,
                         [c](TImageEx *sender, Qt::MouseButton button,
                             Qt::KeyboardModifiers modifiers, int x,
                             int y) { c->PageMouseDown(sender->Tag(), button, modifiers, x, y); });
        QObject::connect(image, &TImageEx::MouseMove, c,
                         [c](TImageEx *sender, Qt::MouseButtons, Qt::KeyboardModifiers, int x,
                             int y) { c->PageMouseMove(sender->Tag(), x, y); });
        QObject::connect(image, &TImageEx::MouseLeave, c,
                         [c](TImageEx *sender) { c->PageMouseLeave(sender->Tag()); });
    }
    QObject::connect(controls.Img32x32ChipTable, &TImageEx::MouseDown, c,
                     [c](TImageEx *, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
                         c->TableMouseDown(button, x, y);
                     });
    QObject::connect(controls.Img32x32ChipTable, &TImageEx::MouseMove, c,
                     [c](TImageEx *, Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) {
                         c->TableMouseMove(x, y);
                     });
    QObject::connect(controls.Img32x32ChipTable, &TImageEx::MouseLeave, c,
                     &MapSetEditClass::TableMouseLeave);
    QObject::connect(controls.ScrBarMapSet, &QScrollBar::valueChanged, c,
                     &MapSetEditClass::ScrollPages);
    for (QScrollBar *bar : controls.ScrBarSelectPage) {
        const int page = bar->property("Tag").toInt();
        QObject::connect(bar, &QScrollBar::valueChanged, c,
                         [c, page](int position) { c->SetPageMapSet(page, position); });
    }
    QObject::connect(controls.ChkMapSetEditDrawGrid, &QCheckBox::clicked, c,
                     &MapSetEditClass::RedrawPages);
    QObject::connect(controls.Button3, &QPushButton::clicked, c, &MapSetEditClass::Reload);
    QObject::connect(controls.BtnReplaceMapSetChip, &QPushButton::clicked, c,
                     &MapSetEditClass::BtnReplaceMapSetChipClick);
}
