#include "mainform_pages.h"

#include "chip16x16/16x16chippage.h"
#include "chip32x32/32x32chippage.h"
#include "map/mappage.h"
#include "mapset/mapsetpage.h"
#include "objects/objectpage.h"
#include "palette/palettepage.h"
#include "tiles/tilepage.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace {

// A page's controls are made at start-up, so every control exists from the first moment,
// but they join the page's layout only when the page is first shown, or once the window has
// painted what it shows first: no label is measured and no layout computed for a hidden page
// before the user sees the window.
class PageContentReveal : public QObject {
public:
    PageContentReveal(QWidget &page, QWidget &content)
        : QObject(&page), Page(page), Content(content) {
        Page.installEventFilter(this);
    }

    void Reveal() {
        if (Revealed)
            return;
        Revealed = true;
        Page.removeEventFilter(this);
        Page.layout()->addWidget(&Content);
        Content.show();
        deleteLater();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Show)
            Reveal();
        return false;
    }

private:
    QWidget &Page;
    QWidget &Content;
    bool Revealed = false;
};

// After the first paint of the page control, the pages not shown yet are laid out while the
// user looks at the first one; the window then takes the size every page needs.
class HiddenPagesAfterFirstPaint : public QObject {
public:
    explicit HiddenPagesAfterFirstPaint(QTabWidget &pageControl) : QObject(&pageControl) {
        pageControl.installEventFilter(this);
    }

    void Add(PageContentReveal *reveal) { Pages.push_back(reveal); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                for (const QPointer<PageContentReveal> &reveal : Pages)
                    if (reveal)
                        reveal->Reveal();
                deleteLater();
            });
        }
        return false;
    }

private:
    std::vector<QPointer<PageContentReveal>> Pages;
};

// A tab page named `name` and, inside it, the widget its controls are built on.
QWidget *NewPage(QTabWidget &pageControl, HiddenPagesAfterFirstPaint &hiddenPages,
                 const QString &name, const QString &caption) {
    auto *page = new QWidget;
    page->setObjectName(name);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *content = new QWidget(page);
    content->hide();
    hiddenPages.Add(new PageContentReveal(*page, *content));
    pageControl.addTab(page, caption);
    return content;
}

} // namespace

EditPageControls BuildEditPages(QTabWidget &pageControl, QLabel *statusPanel,
                                AnimationTimer *frameTimer, const EditDialogs &dialogs) {
    EditPageControls controls;
    auto *hiddenPages = new HiddenPagesAfterFirstPaint(pageControl);
    controls.Map = BuildMapPage(NewPage(pageControl, *hiddenPages, QStringLiteral("TabMapEdit"),
                                        QCoreApplication::translate("TMainForm", "マップ")),
                                statusPanel);
    controls.MapSet =
        BuildMapSetPage(NewPage(pageControl, *hiddenPages, QStringLiteral("TabMapSetEdit"),
                                QCoreApplication::translate("TMainForm", "マップセット")),
                        statusPanel, dialogs.GridForm, dialogs.ReportWindow);
    controls.Chip32x32 =
        BuildChip32x32Page(NewPage(pageControl, *hiddenPages, QStringLiteral("Tab32x32ChipEdit"),
                                   QCoreApplication::translate("TMainForm", "32x32チップ")),
                           statusPanel, dialogs.ReportWindow);
    controls.Chip16x16 =
        BuildChip16x16Page(NewPage(pageControl, *hiddenPages, QStringLiteral("Tab16x16ChipEdit"),
                                   QCoreApplication::translate("TMainForm", "16x16チップ")),
                           statusPanel, dialogs.ReportWindow);
    controls.Palette =
        BuildPalettePage(NewPage(pageControl, *hiddenPages, QStringLiteral("TabPaletteEdit"),
                                 QCoreApplication::translate("TMainForm", "パレット")),
                         frameTimer);
    controls.Object =
        BuildObjectPage(NewPage(pageControl, *hiddenPages, QStringLiteral("TabObjectEdit"),
                                QCoreApplication::translate("TMainForm", "オブジェクト")),
                        statusPanel, dialogs.ObjectForm);
    controls.Tile = BuildTilePage(NewPage(pageControl, *hiddenPages, QStringLiteral("TabTileEdit"),
                                          QCoreApplication::translate("TMainForm", "タイル")));
    return controls;
}

void CopyChipAttributeNames(const Chip16x16EditControls &controls, const QStringList &names) {
    const int count = std::min<int>(ChipAttributeItemCount, static_cast<int>(names.size()));
    for (int attribute = 0; attribute < count; ++attribute)
        controls.ChipPropertyItems[attribute]->setText(names[attribute]);
}
