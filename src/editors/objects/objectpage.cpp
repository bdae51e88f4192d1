#include "objectpage.h"

#include "HexText.h"
#include "ImageEx.h"
#include "common/PageBuilding.h"
#include "UpDown.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
constexpr int RoomSize = 256;
constexpr int KindCount = 256;
constexpr int LastFirstRoom = 46; // the left image shows rooms 0..46 of 48
constexpr int ArrowSize = 16;

QLabel *AddLabelRow(QGroupBox *group, QGridLayout *layout, int row, const QString &caption,
                    const QString &name, const QString &text) {
    layout->addWidget(new QLabel(caption, group), row, 0, Qt::AlignRight);
    QLabel *label = MakeLabel(group, name, text);
    label->setMinimumWidth(56);
    layout->addWidget(label, row, 1);
    return label;
}

/// An up-down used as a pair of step buttons: its position sits in the middle of its range
/// so that both arrows always ask to change it.
TUpDown *MakeStepArrows(QWidget *parent, const QString &name, Qt::Orientation orientation) {
    auto *upDown = new TUpDown(parent, orientation);
    upDown->setObjectName(name);
    upDown->SetRange(0, 2);
    upDown->SetPosition(1);
    upDown->setFixedSize(orientation == Qt::Horizontal ? QSize(2 * ArrowSize, ArrowSize + 4)
                                                       : QSize(ArrowSize, 2 * ArrowSize - 4));
    upDown->setEnabled(false);
    return upDown;
}

QGroupBox *BuildShownGroup(QWidget *page, ObjectEditControls &controls) {
    auto *group = new QGroupBox(ObjectEditClass::tr("表示オブジェクト"), page);
    auto *layout = new QGridLayout(group);
    controls.LblObjectRoom = AddLabelRow(group, layout, 0, ObjectEditClass::tr("　　表示部屋番号:"),
                                         QStringLiteral("LblObjectRoom"), QStringLiteral("00-01"));
    controls.LblObjectNum = AddLabelRow(group, layout, 1, ObjectEditClass::tr("オブジェクトの数:"),
                                        QStringLiteral("LblObjectNum"), QStringLiteral("0-0"));
    controls.LblObjectSum =
        AddLabelRow(group, layout, 2, ObjectEditClass::tr("オブジェクト総数:"),
                    QStringLiteral("LblObjectSum"), QStringLiteral("127 / 127"));
    layout->setRowStretch(3, 1);
    return group;
}

QGroupBox *BuildSelectedGroup(QWidget *page, ObjectEditControls &controls) {
    auto *group = new QGroupBox(ObjectEditClass::tr("編集対象オブジェクト"), page);
    auto *layout = new QGridLayout(group);
    const QString none = QStringLiteral("--");
    controls.LblObjectIndex = AddLabelRow(group, layout, 0, ObjectEditClass::tr("設置番号:"),
                                          QStringLiteral("LblObjectIndex"), none);
    controls.LblObjectScreen = AddLabelRow(group, layout, 1, ObjectEditClass::tr("部屋番号:"),
                                           QStringLiteral("LblObjectScreen"), none);
    controls.LblObjectX = AddLabelRow(group, layout, 2, ObjectEditClass::tr("   X座標:"),
                                      QStringLiteral("LblObjectX"), none);
    controls.UDObjectX = MakeStepArrows(group, QStringLiteral("UDObjectX"), Qt::Horizontal);
    layout->addWidget(controls.UDObjectX, 2, 2, Qt::AlignLeft);
    controls.LblObjectY = AddLabelRow(group, layout, 3, ObjectEditClass::tr("   Y座標:"),
                                      QStringLiteral("LblObjectY"), none);
    controls.UDObjectY = MakeStepArrows(group, QStringLiteral("UDObjectY"), Qt::Vertical);
    layout->addWidget(controls.UDObjectY, 3, 2, Qt::AlignLeft);

    layout->addWidget(new QLabel(ObjectEditClass::tr("　　種類:"), group), 4, 0, Qt::AlignRight);
    controls.CBSelectObject = new QComboBox(group);
    controls.CBSelectObject->setObjectName(QStringLiteral("CBSelectObject"));
    controls.CBSelectObject->setMaxVisibleItems(12);
    for (int kind = 0; kind < KindCount; ++kind)
        controls.CBSelectObject->addItem(HexText(kind));
    controls.CBSelectObject->setMinimumWidth(180);
    layout->addWidget(controls.CBSelectObject, 4, 1, 1, 3);

    auto *buttons = new QHBoxLayout;
    controls.BtnObjectCreate =
        MakeButton(group, QStringLiteral("BtnObjectCreate"), ObjectEditClass::tr("新規作成"));
    buttons->addWidget(controls.BtnObjectCreate);
    controls.BtnObjectRemove =
        MakeButton(group, QStringLiteral("BtnObjectRemove"), ObjectEditClass::tr("削除"));
    controls.BtnObjectRemove->setEnabled(false);
    buttons->addWidget(controls.BtnObjectRemove);
    buttons->addStretch();
    layout->addLayout(buttons, 5, 0, 1, 4);
    layout->setColumnStretch(3, 1);
    return group;
}

QAction *AddMenuItem(QMenu *menu, const QString &name, const QString &caption) {
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void BuildPopupMenu(QWidget *page, ObjectEditControls &controls) {
    auto *menu = new QMenu(page);
    menu->setObjectName(QStringLiteral("PopupMenuObjectEdit"));
    controls.PopupMenuObjectEdit = menu;
    controls.MenuCreateObject = AddMenuItem(menu, QStringLiteral("MenuCreateObject"),
                                            ObjectEditClass::tr("オブジェクトの新規作成"));
    controls.MenuCopyObject = AddMenuItem(menu, QStringLiteral("MenuCopyObject"),
                                          ObjectEditClass::tr("このオブジェクトをコピー"));
    controls.MenuCutObject = AddMenuItem(menu, QStringLiteral("MenuCutObject"),
                                         ObjectEditClass::tr("このオブジェクトを切り取り"));
    controls.MenuPasteObject = AddMenuItem(menu, QStringLiteral("MenuPasteObject"),
                                           ObjectEditClass::tr("オブジェクトを貼り付け"));
    controls.MenuRemoveObject = AddMenuItem(menu, QStringLiteral("MenuRemoveObject"),
                                            ObjectEditClass::tr("このオブジェクトを削除"));
    controls.N9 = AddMenuItem(menu, QStringLiteral("N9"), ObjectEditClass::tr("キャンセル"));
}
} // namespace

ObjectEditControls BuildObjectPage(QWidget *page, QLabel *statusPanel,
                                   LazyDialog<TObjectEditForm> objectForm) {
    ObjectEditControls controls;
    controls.StatusPanel = statusPanel;
    controls.ObjectForm = objectForm;

    auto *layout = new QVBoxLayout(page);
    auto *rooms = new QHBoxLayout;
    for (int number = 0; number < 2; ++number) {
        controls.ImgObjectMapPage[number] =
            MakeImage(page, Numbered(u"ImgObjectMapPage", number), RoomSize, RoomSize, number);
        rooms->addWidget(controls.ImgObjectMapPage[number]);
    }
    rooms->addStretch();
    layout->addLayout(rooms);

    controls.ScrBarObjectMap =
        MakeScrollBar(page, QStringLiteral("ScrBarObjectMap"), Qt::Horizontal, LastFirstRoom);
    controls.ScrBarObjectMap->setFixedWidth(2 * RoomSize + layout->spacing());
    layout->addWidget(controls.ScrBarObjectMap);

    auto *lower = new QHBoxLayout;
    lower->addWidget(BuildShownGroup(page, controls), 0, Qt::AlignTop);
    lower->addWidget(BuildSelectedGroup(page, controls), 0, Qt::AlignTop);
    lower->addStretch();
    layout->addLayout(lower);

    auto *options = new QHBoxLayout;
    auto *boxes = new QVBoxLayout;
    controls.ChkSortObjectList =
        MakeCheckBox(page, QStringLiteral("ChkSortObjectList"),
                     ObjectEditClass::tr("オブジェクトを自動で並び替える"));
    controls.ChkSortObjectList->setChecked(true);
    boxes->addWidget(controls.ChkSortObjectList);
    controls.ChkPopupHint =
        MakeCheckBox(page, QStringLiteral("ChkPopupHint"),
                     ObjectEditClass::tr("ポップアップでオブジェクト情報を表示"));
    controls.ChkPopupHint->setChecked(true);
    boxes->addWidget(controls.ChkPopupHint);
    options->addLayout(boxes);
    options->addStretch();
    controls.BtnObjectEditReload =
        MakeButton(page, QStringLiteral("BtnObjectEditReload"), ObjectEditClass::tr("再読み込み"));
    options->addWidget(controls.BtnObjectEditReload, 0, Qt::AlignBottom);
    layout->addLayout(options);
    // The controls keep their natural height; the page's spare room stays below them.
    layout->addStretch(1);

    BuildPopupMenu(page, controls);
    return controls;
}

void ForwardObjectPageEvents(const ObjectEditControls &controls, ObjectEditClass &controller) {
    ObjectEditClass *c = &controller;
    QObject::connect(controls.ScrBarObjectMap, &QScrollBar::valueChanged, c,
                     &ObjectEditClass::ScrBarObjectMapScroll);
    for (TImageEx *image : controls.ImgObjectMapPage) {
        QObject::connect(image, &TImageEx::MouseDown, c,
                         &ObjectEditClass::ImgObjectMapPageXMouseDown);
        QObject::connect(image, &TImageEx::MouseMove, c,
                         &ObjectEditClass::ImgObjectMapPageXMouseMove);
    }
    QObject::connect(controls.CBSelectObject, &QComboBox::currentIndexChanged, c,
                     &ObjectEditClass::CBSelectObjectChange);
    QObject::connect(controls.BtnObjectCreate, &QPushButton::clicked, c,
                     &ObjectEditClass::BtnObjectCreateClick);
    QObject::connect(controls.BtnObjectRemove, &QPushButton::clicked, c,
                     &ObjectEditClass::BtnObjectRemoveClick);
    QObject::connect(controls.UDObjectX, &TUpDown::ChangingEx, c,
                     &ObjectEditClass::UDObjectXChangingEx);
    QObject::connect(controls.UDObjectY, &TUpDown::ChangingEx, c,
                     &ObjectEditClass::UDObjectYChangingEx);
    QObject::connect(controls.MenuCreateObject, &QAction::triggered, c,
                     &ObjectEditClass::MenuCreateObjectClick);
    QObject::connect(controls.MenuCopyObject, &QAction::triggered, c,
                     &ObjectEditClass::MenuCopyObjectClick);
    QObject::connect(controls.MenuCutObject, &QAction::triggered, c,
                     &ObjectEditClass::MenuCutObjectClick);
    QObject::connect(controls.MenuPasteObject, &QAction::triggered, c,
                     &ObjectEditClass::MenuPasteObjectClick);
    QObject::connect(controls.MenuRemoveObject, &QAction::triggered, c,
                     &ObjectEditClass::MenuRemoveObjectClick);
    QObject::connect(controls.BtnObjectEditReload, &QPushButton::clicked, c,
                     &ObjectEditClass::BtnObjectEditReloadClick);
}
