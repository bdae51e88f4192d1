#include "palettepage.h"

#include "AnimationTimer.h"
#include "ImageEx.h"
#include "UpDown.h"
#include "common/PageBuilding.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int StripWidth = 96;
constexpr int StripHeight = 24;
// One palette edit sits under each 24-pixel cell of its strip.
constexpr int PaletteEditWidth = 24;
constexpr int AnimeEditWidth = 32;

QGroupBox *BuildPaletteGroup(QWidget *page, PaletteEditControls &controls) {
    auto *group = new QGroupBox(PaletteEditClass::tr("パレット編集"), page);
    auto *layout = new QGridLayout(group);
    layout->setHorizontalSpacing(16);

    controls.CBSelectPaletteSet = new QComboBox(group);
    controls.CBSelectPaletteSet->setObjectName(QStringLiteral("CBSelectPaletteSet"));
    for (int set = 0; set < 5; ++set)
        controls.CBSelectPaletteSet->addItem(PaletteEditClass::tr("定義%1").arg(set));
    controls.CBSelectPaletteSet->setCurrentIndex(0);
    layout->addWidget(controls.CBSelectPaletteSet, 0, 0);
    controls.BtnPaletteReload =
        MakeButton(group, QStringLiteral("BtnPaletteReload"), PaletteEditClass::tr("再読み込み"));
    layout->addWidget(controls.BtnPaletteReload, 0, 4, Qt::AlignRight);

    for (int n = 0; n < 4; ++n) {
        controls.ImgPalView[n] =
            MakeImage(group, Numbered(u"ImgPalView", n), StripWidth, StripHeight, n);
        layout->addWidget(controls.ImgPalView[n], 1, n);
        auto *edits = new QHBoxLayout;
        edits->setSpacing(0);
        for (int e = 4 * n; e < 4 * n + 4; ++e) {
            controls.EditPal[e] = MakeHexEdit(group, Numbered(u"EditPal", e), PaletteEditWidth);
            edits->addWidget(controls.EditPal[e]);
        }
        layout->addLayout(edits, 2, n);
    }
    layout->setColumnStretch(4, 1);
    return group;
}

QGroupBox *BuildColourTableGroup(QWidget *page, PaletteEditControls &controls) {
    auto *group = new QGroupBox(PaletteEditClass::tr("カラーテーブル"), page);
    auto *layout = new QVBoxLayout(group);
    controls.ImgColorTable = MakeImage(group, QStringLiteral("ImgColorTable"), 384, 96);
    layout->addWidget(controls.ImgColorTable);
    return group;
}

QGroupBox *BuildSelectedColourGroup(QWidget *page, PaletteEditControls &controls) {
    auto *group = new QGroupBox(PaletteEditClass::tr("選択カラー"), page);
    auto *layout = new QVBoxLayout(group);
    controls.ImgSelectColor = MakeImage(group, QStringLiteral("ImgSelectColor"), 32, 32);
    layout->addWidget(controls.ImgSelectColor, 0, Qt::AlignHCenter);
    controls.LblSelectColor =
        MakeLabel(group, QStringLiteral("LblSelectColor"), QStringLiteral("00"));
    layout->addLayout(CaptionedValue(group, QStringLiteral("No:"), controls.LblSelectColor));
    layout->addStretch();
    return group;
}

QGroupBox *BuildAnimationGroup(QWidget *page, PaletteEditControls &controls) {
    auto *group = new QGroupBox(PaletteEditClass::tr("パレットアニメーション選択"), page);
    auto *layout = new QGridLayout(group);
    layout->setHorizontalSpacing(16);
    for (int n = 0; n < 4; ++n) {
        controls.ImgAnimePal[n] =
            MakeImage(group, Numbered(u"ImgAnimePal", n), StripWidth, StripHeight, n);
        layout->addWidget(controls.ImgAnimePal[n], 0, n);

        auto *slot = new QHBoxLayout;
        slot->setSpacing(0);
        controls.EditAnimePal[n] = MakeHexEdit(group, Numbered(u"EditAnimePal", n), AnimeEditWidth);
        slot->addWidget(controls.EditAnimePal[n]);
        auto *upDown = new TUpDown(group);
        upDown->setObjectName(Numbered(u"UDAnimePal", n));
        upDown->SetTag(n);
        upDown->SetRange(0, 14);
        upDown->SetPosition(1);
        upDown->setFixedSize(16, controls.EditAnimePal[n]->sizeHint().height());
        controls.UDAnimePal[n] = upDown;
        slot->addWidget(upDown);
        slot->addStretch();
        layout->addLayout(slot, 1, n);
    }
    controls.BtnAnimationPaletteReload = MakeButton(
        group, QStringLiteral("BtnAnimationPaletteReload"), PaletteEditClass::tr("再読み込み"));
    layout->addWidget(controls.BtnAnimationPaletteReload, 1, 4, Qt::AlignRight);
    layout->setColumnStretch(4, 1);
    return group;
}
} // namespace

PaletteEditControls BuildPalettePage(QWidget *page, AnimationTimer *frameTimer) {
    PaletteEditControls controls;
    controls.FrameTimer = frameTimer;

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(BuildPaletteGroup(page, controls));
    auto *colours = new QHBoxLayout;
    colours->addWidget(BuildColourTableGroup(page, controls));
    colours->addWidget(BuildSelectedColourGroup(page, controls));
    colours->addStretch(1);
    layout->addLayout(colours);
    layout->addWidget(BuildAnimationGroup(page, controls));
    // The groups keep their natural height; the page's spare room stays below them.
    layout->addStretch(1);
    return controls;
}

void ForwardPalettePageEvents(const PaletteEditControls &controls, PaletteEditClass &controller) {
    PaletteEditClass *c = &controller;
    for (int e = 0; e < 16; ++e)
        QObject::connect(controls.EditPal[e], &QLineEdit::textChanged, c,
                         [c, e] { c->EditPalXChange(e); });
    for (int k = 0; k < 4; ++k) {
        QObject::connect(controls.EditAnimePal[k], &QLineEdit::textChanged, c,
                         [c, k] { c->EditAnimePalXChange(k); });
        QObject::connect(controls.UDAnimePal[k], &TUpDown::ChangingEx, c,
                         &PaletteEditClass::UDAnimePalXChangingEx);
    }
    QObject::connect(controls.ImgColorTable, &TImageEx::MouseDown, c,
                     &PaletteEditClass::ImgColorTableMouseDown);
    QObject::connect(controls.ImgColorTable, &TImageEx::MouseMove, c,
                     &PaletteEditClass::ImgColorTableMouseMove);
    QObject::connect(controls.ImgColorTable, &TImageEx::MouseLeave, c,
                     &PaletteEditClass::ImgColorTableMouseLeave);
    for (TImageEx *strip : controls.ImgPalView) {
        QObject::connect(strip, &TImageEx::MouseDown, c, &PaletteEditClass::ImgPalViewXMouseDown);
        QObject::connect(strip, &TImageEx::MouseMove, c, &PaletteEditClass::ImgPalViewXMouseMove);
        QObject::connect(strip, &TImageEx::MouseLeave, c, &PaletteEditClass::ImgPalViewXMouseLeave);
    }
    QObject::connect(controls.BtnPaletteReload, &QPushButton::clicked, c,
                     &PaletteEditClass::BtnPaletteReloadClick);
    QObject::connect(controls.BtnAnimationPaletteReload, &QPushButton::clicked, c,
                     &PaletteEditClass::BtnAnimationPaletteReloadClick);
    QObject::connect(controls.CBSelectPaletteSet, &QComboBox::currentIndexChanged, c,
                     &PaletteEditClass::CBSelectPaletteSetChange);
}
