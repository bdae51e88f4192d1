#include "EditorPageFixture.h"

#include "common/chipsheets.h"

#include <QCursor>
#include <QTest>

bool HasFramePixel(const QImage &picture) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) == Magenta)
                return true;
    return false;
}

void TypeInto(QLineEdit *edit, const QString &text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

EditorPageFixture::EditorPageFixture(const CartridgeBuilder &cartridge)
    : GraphicsFixture(cartridge) {}

void EditorPageFixture::PrepareStage(int stage, SheetsRebuilt sheets) {
    Document().SetCurrentStage(stage);
    Graphics().SetStagePalette(Stage().BGPalette(0));
    if (sheets != SheetsRebuilt::None)
        RebuildChip16x16Sheet(Graphics(), Stage());
    if (sheets == SheetsRebuilt::Both)
        RebuildChip32x32Sheet(Graphics(), Stage());
}

void EditorPageFixture::ShowPage(QSize size) {
    QCursor::setPos(-500, -500);
    Page.resize(size);
    Page.show();
    Require(QTest::qWaitForWindowExposed(&Page), "page not shown");
}
