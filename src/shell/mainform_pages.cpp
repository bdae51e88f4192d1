#include "mainform_pages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QScrollBar>

namespace {

QScrollBar *NewScrollBar(QWidget *page, const QString &name, Qt::Orientation orientation,
                         const QRect &geometry) {
    auto *bar = new QScrollBar(orientation, page);
    bar->setObjectName(name);
    bar->setGeometry(geometry);
    return bar;
}

QCheckBox *NewCheckBox(QWidget *page, const QString &name, const QString &caption, bool checked,
                       const QRect &geometry) {
    auto *box = new QCheckBox(caption, page);
    box->setObjectName(name);
    box->setChecked(checked);
    box->setGeometry(geometry);
    return box;
}

// The attribute choice lists its items top to bottom in the first column, then in the second.
void BuildChipAttributeChoice(QWidget *page, ShellPageControls &controls) {
    auto *box = new QGroupBox(QStringLiteral("チップ属性"), page);
    box->setObjectName(QStringLiteral("RGChipPropertySelect"));
    box->setGeometry(320, 300, 290, 220);
    auto *layout = new QGridLayout(box);
    auto *items = new QButtonGroup(box);
    constexpr int rows = ChipAttributeChoiceCount / 2;
    for (int attribute = 0; attribute < ChipAttributeChoiceCount; ++attribute) {
        auto *item = new QRadioButton(box);
        items->addButton(item, attribute);
        layout->addWidget(item, attribute % rows, attribute / rows);
    }
    SetChipAttributeChoiceTexts(*items, ChipAttributeChoiceDesignTexts());
    controls.RGChipPropertySelect = box;
    controls.ChipPropertyItems = items;
}

} // namespace

ShellPageControls BuildShellPageControls(const EditPages &pages) {
    ShellPageControls controls;

    controls.ScrbarEditMapPage0 = NewScrollBar(
        pages.TabMapEdit, QStringLiteral("ScrbarEditMapPage0"), Qt::Horizontal, {8, 272, 256, 17});
    controls.ScrbarEditMapPage1 =
        NewScrollBar(pages.TabMapEdit, QStringLiteral("ScrbarEditMapPage1"), Qt::Horizontal,
                     {272, 272, 256, 17});
    controls.ScrBarMap = NewScrollBar(pages.TabMapEdit, QStringLiteral("ScrBarMap"), Qt::Horizontal,
                                      {8, 300, 520, 17});

    controls.ScrBarSelectPage0 =
        NewScrollBar(pages.TabMapSetEdit, QStringLiteral("ScrBarSelectPage0"), Qt::Horizontal,
                     {8, 272, 256, 17});
    controls.ScrBarSelectPage1 =
        NewScrollBar(pages.TabMapSetEdit, QStringLiteral("ScrBarSelectPage1"), Qt::Horizontal,
                     {272, 272, 256, 17});
    controls.ScrBarSelectPage1->setValue(1);
    controls.ScrBarMapSet = NewScrollBar(pages.TabMapSetEdit, QStringLiteral("ScrBarMapSet"),
                                         Qt::Horizontal, {8, 300, 520, 17});
    controls.ChkMapSetEditDrawGrid =
        NewCheckBox(pages.TabMapSetEdit, QStringLiteral("ChkMapSetEditDrawGrid"),
                    QStringLiteral("グリッド線の描画"), false, {8, 600, 200, 20});

    controls.Chk32x32ChipEditDrawGrid =
        NewCheckBox(pages.Tab32x32ChipEdit, QStringLiteral("Chk32x32ChipEditDrawGrid"),
                    QStringLiteral("グリッド線の描画"), false, {8, 600, 200, 20});

    controls.ScrBarBGBank0 = NewScrollBar(pages.Tab16x16ChipEdit, QStringLiteral("ScrBarBGBank0"),
                                          Qt::Vertical, {272, 8, 17, 128});
    controls.ScrBarBGBank1 = NewScrollBar(pages.Tab16x16ChipEdit, QStringLiteral("ScrBarBGBank1"),
                                          Qt::Vertical, {272, 144, 17, 128});
    BuildChipAttributeChoice(pages.Tab16x16ChipEdit, controls);

    controls.ScrBarObjectMap = NewScrollBar(pages.TabObjectEdit, QStringLiteral("ScrBarObjectMap"),
                                            Qt::Horizontal, {8, 272, 520, 17});
    controls.CBSelectObject = new QComboBox(pages.TabObjectEdit);
    controls.CBSelectObject->setObjectName(QStringLiteral("CBSelectObject"));
    controls.CBSelectObject->setGeometry(8, 320, 240, 22);
    controls.CBSelectObject->addItems(ObjectKindTexts({}));
    controls.ChkSortObjectList =
        NewCheckBox(pages.TabObjectEdit, QStringLiteral("ChkSortObjectList"),
                    QStringLiteral("オブジェクトを自動で並び替える"), true, {8, 576, 320, 20});
    controls.ChkPopupHint = NewCheckBox(pages.TabObjectEdit, QStringLiteral("ChkPopupHint"),
                                        QStringLiteral("ポップアップでオブジェクト情報を表示"),
                                        true, {8, 600, 320, 20});
    return controls;
}

void SetChipAttributeChoiceTexts(QButtonGroup &items, const ChipAttributeChoice &texts) {
    for (int attribute = 0; attribute < ChipAttributeChoiceCount; ++attribute)
        items.button(attribute)->setText(texts[attribute]);
}
