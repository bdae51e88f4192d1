#include "mainform_pages.h"

#include "chip16x16/16x16chippage.h"
#include "chip32x32/32x32chippage.h"
#include "map/mappage.h"
#include "mapset/mapsetpage.h"
#include "objects/objectpage.h"
#include "palette/palettepage.h"
#include "tiles/tilepage.h"

#include <QCoreApplication>
#include <QRadioButton>
#include <QTabWidget>
#include <algorithm>

namespace {

QWidget *NewPage(QTabWidget &pageControl, const QString &name, const QString &caption) {
    auto *page = new QWidget;
    page->setObjectName(name);
    pageControl.addTab(page, caption);
    return page;
}

} // namespace

EditPageControls BuildEditPages(QTabWidget &pageControl, QLabel *statusPanel,
                                AnimationTimer *frameTimer, const EditDialogs &dialogs) {
    EditPageControls controls;
    controls.Map = BuildMapPage(NewPage(pageControl, QStringLiteral("TabMapEdit"),
                                        QCoreApplication::translate("TMainForm", "マップ")),
                                statusPanel);
    controls.MapSet =
        BuildMapSetPage(NewPage(pageControl, QStringLiteral("TabMapSetEdit"),
                                QCoreApplication::translate("TMainForm", "マップセット")),
                        statusPanel, dialogs.GridForm, dialogs.ReportWindow);
    controls.Chip32x32 =
        BuildChip32x32Page(NewPage(pageControl, QStringLiteral("Tab32x32ChipEdit"),
                                   QCoreApplication::translate("TMainForm", "32x32チップ")),
                           statusPanel, dialogs.ReportWindow);
    controls.Chip16x16 =
        BuildChip16x16Page(NewPage(pageControl, QStringLiteral("Tab16x16ChipEdit"),
                                   QCoreApplication::translate("TMainForm", "16x16チップ")),
                           statusPanel, dialogs.ReportWindow);
    controls.Palette =
        BuildPalettePage(NewPage(pageControl, QStringLiteral("TabPaletteEdit"),
                                 QCoreApplication::translate("TMainForm", "パレット")),
                         frameTimer);
    controls.Object =
        BuildObjectPage(NewPage(pageControl, QStringLiteral("TabObjectEdit"),
                                QCoreApplication::translate("TMainForm", "オブジェクト")),
                        statusPanel, dialogs.ObjectForm);
    controls.Tile = BuildTilePage(NewPage(pageControl, QStringLiteral("TabTileEdit"),
                                          QCoreApplication::translate("TMainForm", "タイル")));
    return controls;
}

void CopyChipAttributeNames(const Chip16x16EditControls &controls, const QStringList &names) {
    const int count = std::min<int>(ChipAttributeItemCount, static_cast<int>(names.size()));
    for (int attribute = 0; attribute < count; ++attribute)
        controls.ChipPropertyItems[attribute]->setText(names[attribute]);
}
