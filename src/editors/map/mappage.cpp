#include "mappage.h"

#include "ImageEx.h"
#include "common/PageBuilding.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
constexpr int RoomPictureSize = 256;

QGroupBox *BuildEditGroup(QWidget *page, MapEditControls &controls) {
    auto *group = new QGroupBox(MapEditClass::tr("マップ編集"), page);
    auto *layout = new QGridLayout(group);

    auto *rooms = new QHBoxLayout;
    rooms->addWidget(new QLabel(MapEditClass::tr("編集部屋番号:"), group));
    controls.LblMapPage = MakeLabel(group, QStringLiteral("LblMapPage"), QStringLiteral("00-01"));
    rooms->addWidget(controls.LblMapPage);
    controls.ScrBarMap = MakeScrollBar(group, QStringLiteral("ScrBarMap"), Qt::Horizontal,
                                       MapEditClass::LastFirstRoom);
    rooms->addWidget(controls.ScrBarMap, 1);
    layout->addLayout(rooms, 0, 0, 1, 2);

    for (int n = 0; n < MapEditClass::PageCount; ++n) {
        auto *chooser = new QHBoxLayout;
        chooser->addWidget(new QLabel(MapEditClass::tr("マップセット番号:"), group));
        controls.LblMapVal[n] = MakeLabel(group, Numbered(u"LblMapVal", n), QStringLiteral("00"));
        chooser->addWidget(controls.LblMapVal[n]);
        controls.ScrbarEditMapPage[n] =
            MakeScrollBar(group, Numbered(u"ScrbarEditMapPage", n), Qt::Horizontal,
                          MapEditClass::MapSetCount - 1);
        chooser->addWidget(controls.ScrbarEditMapPage[n], 1);
        layout->addLayout(chooser, 1, n);
    }

    controls.BtnMapEditReload =
        MakeButton(group, QStringLiteral("BtnMapEditReload"), MapEditClass::tr("再読み込み"));
    layout->addWidget(controls.BtnMapEditReload, 2, 1, Qt::AlignRight);
    return group;
}
} // namespace

MapEditControls BuildMapPage(QWidget *page, QLabel *statusPanel) {
    MapEditControls controls;
    controls.StatusPanel = statusPanel;

    auto *layout = new QVBoxLayout(page);
    auto *pictures = new QHBoxLayout;
    pictures->setSpacing(0);
    for (int n = 0; n < MapEditClass::PageCount; ++n) {
        controls.ImgEditMapPage[n] =
            MakeImage(page, Numbered(u"ImgEditMapPage", n), RoomPictureSize, RoomPictureSize, n);
        pictures->addWidget(controls.ImgEditMapPage[n]);
    }
    pictures->addStretch(1);
    layout->addLayout(pictures);
    layout->addWidget(BuildEditGroup(page, controls));
    // The controls keep their natural height; the page's spare room stays below them.
    layout->addStretch(1);
    return controls;
}

void ForwardMapPageEvents(const MapEditControls &controls, MapEditClass &controller) {
    MapEditClass *c = &controller;
    // A bar reports a move only when its position really changes, which is exactly when
    // the choice of map set is to be written.
    QObject::connect(controls.ScrBarMap, &QScrollBar::valueChanged, c, &MapEditClass::ScrollRooms);
    for (int n = 0; n < MapEditClass::PageCount; ++n)
        QObject::connect(controls.ScrbarEditMapPage[n], &QScrollBar::valueChanged, c,
                         [c, n](int value) { c->SetRoomMapSet(n, value); });
    QObject::connect(controls.BtnMapEditReload, &QPushButton::clicked, c, &MapEditClass::Reload);
}
