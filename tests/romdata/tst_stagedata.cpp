#include "CartridgeBuilder.h"
#include "MyIniFiles.h"
#include "address.h"
#include "editdata.h"

#include <QTest>
#include <functional>
#include <memory>

namespace {

/// One stage model over a copy of the builder's image, with the default addresses.
struct Fixture {
    CartridgeBuilder Builder;
    TMyMemIniFile Settings{QStringLiteral("/nonexistent/quartex3editor.ini")};
    AddressData Addresses{Settings};
    std::unique_ptr<ImageBuffer> Image = std::make_unique<ImageBuffer>();
    bool Recording = true;

    void CopyImage() {
        std::copy(Builder.Bytes().cbegin(), Builder.Bytes().cend(),
                  reinterpret_cast<char *>(Image->data()));
    }
    std::unique_ptr<StageData> Stage(int number) {
        CopyImage();
        auto stage = std::make_unique<StageData>(number, *Image, Addresses, Recording);
        stage->LoadAll();
        return stage;
    }
    uint8_t At(StageTable table, int stage, int index) const {
        return (*Image)[CartridgeBuilder::DefaultOffset(table, stage) + index];
    }
    /// Offsets where the image differs from the builder's bytes.
    std::vector<int32_t> Differences() const {
        std::vector<int32_t> offsets;
        for (int32_t i = 0; i < CartridgeBuilder::ImageSize; ++i)
            if ((*Image)[i] != Builder.Byte(i))
                offsets.push_back(i);
        return offsets;
    }
};

QByteArray BytesOf(std::initializer_list<uint8_t> values) {
    QByteArray bytes;
    for (uint8_t value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

} // namespace

class TestStageData : public QObject {
    Q_OBJECT

private slots:
    void loadsEveryTableAtItsOffsets();
    void storesWriteOnlyTheirBytes();
    void objectTableReading();
    void objectTableWriting();
    void objectListOperations();
    void sortObjectsByXIsStable();
    void everySetterIsUndoneAndRedone();
    void singleSettersReportChanges();
    void blockSettersAlwaysRecord();
    void recordingSwitchedOff();
    void historyRecordsThatCannotApply();
    void categoryNames_data();
    void categoryNames();
    void sharedTablesAreOneStorage();
    void sharedTableStepsAreOneHistory();
    void ownAndSharedStepsUndoInTimeOrder();
};

void TestStageData::loadsEveryTableAtItsOffsets() {
    Fixture fixture;
    for (int number : {0, 7, 17}) {
        const auto stage = fixture.Stage(number);
        const auto pattern = [number](StageTable table, int i) {
            return CartridgeBuilder::Pattern(number, table, i);
        };
        QCOMPARE(stage->StageNumber(), number);
        for (int i = 0; i < 2; ++i)
            QCOMPARE(stage->BGBank()[i], pattern(StageTable::BGBank, i));
        for (int i = 0; i < 1024; ++i) {
            QCOMPARE(stage->Chip16x16()[i], pattern(StageTable::Chip16x16, i));
            QCOMPARE(stage->Chip32x32()[i], pattern(StageTable::Chip32x32, i));
        }
        for (int i = 0; i < 256; ++i)
            QCOMPARE(stage->ChipProperty()[i], pattern(StageTable::ChipProperty, i));
        for (int i = 0; i < 2048; ++i)
            QCOMPARE(stage->MapSet()[i], pattern(StageTable::MapSet, i));
        for (int i = 0; i < RoomCount; ++i)
            QCOMPARE(stage->Map()[i], pattern(StageTable::Map, i));
        for (int set = 0; set < PaletteSetCount; ++set) {
            for (int i = 0; i < 16; ++i)
                QCOMPARE(stage->BGPalette(set)[i], pattern(StageTable::BGPalette, 16 * set + i));
            for (int i = 0; i < 4; ++i)
                QCOMPARE(stage->BGPaletteAnime(set)[i],
                         pattern(StageTable::BGPaletteAnime, 4 * set + i));
        }
        const auto objects = CartridgeBuilder::DefaultObjects(number);
        QCOMPARE(stage->ObjectTotal(), static_cast<int32_t>(objects.size()));
        size_t next = 0;
        for (int room = 0; room < RoomCount; ++room)
            for (const ObjectNode &node : stage->ObjectList(room)) {
                QCOMPARE(objects[next].Room, room);
                QCOMPARE(node.X, objects[next].X);
                QCOMPARE(node.Y, objects[next].Y);
                QCOMPARE(node.Kind, objects[next].Kind);
                ++next;
            }
    }

    // The last palette entry and animation slot sit at +95 and +83 (stride 20).
    fixture.Builder.SetByte(CartridgeBuilder::DefaultOffset(StageTable::BGPalette, 2) + 95, 0x3D);
    fixture.Builder.SetByte(CartridgeBuilder::DefaultOffset(StageTable::BGPaletteAnime, 2) + 83,
                            0x85);
    const auto stage = fixture.Stage(2);
    QCOMPARE(stage->BGPalette(4)[15], uint8_t{0x3D});
    QCOMPARE(stage->BGPaletteAnime(4)[3], uint8_t{0x85});
}

void TestStageData::storesWriteOnlyTheirBytes() {
    Fixture fixture;
    const auto stage = fixture.Stage(4);
    const std::vector<std::function<void()>> stores = {
        [&] { stage->StoreBGBank(); },       [&] { stage->StoreChip16x16(); },
        [&] { stage->StoreChipProperty(); }, [&] { stage->StoreChip32x32(); },
        [&] { stage->StoreMapSet(); },       [&] { stage->StoreMap(); },
        [&] { stage->StoreBGPalette(); },    [&] { stage->StoreBGPaletteAnime(); },
        [&] { stage->StoreObjects(); }};
    for (const auto &store : stores)
        store();
    QCOMPARE(fixture.Differences(), std::vector<int32_t>{});

    QVERIFY(stage->SetPaletteEntry(79, 0x01));
    QVERIFY(stage->SetPaletteAnimeEntry(19, 0x83));
    QVERIFY(stage->SetBGBank(1, 0x7E));
    QVERIFY(stage->SetChip16x16Tile(0x3FF, 0xAB));
    QVERIFY(stage->SetChipProperty(0xFF, 0xCD));
    QVERIFY(stage->SetChip32x32Entry(0x3FF, 0xEF));
    QVERIFY(stage->SetMapSetEntry(0x7FF, 0x12));
    QVERIFY(stage->SetMapEntry(47, 0x1F));
    for (const auto &store : stores)
        store();
    const auto offset = [](StageTable table, int index) {
        return CartridgeBuilder::DefaultOffset(table, 4) + index;
    };
    const std::vector<int32_t> expected = {
        offset(StageTable::Map, 47),          offset(StageTable::BGBank, 1),
        offset(StageTable::BGPalette, 95),    offset(StageTable::BGPaletteAnime, 83),
        offset(StageTable::MapSet, 0x7FF),    offset(StageTable::Chip32x32, 0x3FF),
        offset(StageTable::Chip16x16, 0x3FF), offset(StageTable::ChipProperty, 0xFF)};
    QCOMPARE(fixture.Differences(), expected);
    QCOMPARE(fixture.At(StageTable::BGPalette, 4, 95), uint8_t{0x01});
    QCOMPARE(fixture.At(StageTable::BGPaletteAnime, 4, 83), uint8_t{0x83});
}

void TestStageData::objectTableReading() {
    Fixture fixture;
    // End marker first: every room empty.
    fixture.Builder.SetObjects(1, {});
    auto stage = fixture.Stage(1);
    QCOMPARE(stage->ObjectTotal(), 0);
    QCOMPARE(stage->ObjectTable()[0].Room, 0xFF);
    const int32_t roomPlane = CartridgeBuilder::DefaultOffset(StageTable::ObjectScreen, 1);
    QCOMPARE(stage->ObjectTable()[1].Room, fixture.Builder.Byte(roomPlane + 1));

    // Rooms 0, 0, 2, 1, 3: the entry for room 1 ends the reading, the rest stays staged.
    fixture.Builder.SetObjects(
        1, {{0, 10, 11, 12}, {0, 20, 21, 22}, {2, 30, 31, 32}, {1, 40, 41, 42}, {3, 50, 51, 52}});
    stage = fixture.Stage(1);
    QCOMPARE(stage->ObjectCount(0), 2);
    QCOMPARE(stage->ObjectCount(1), 0);
    QCOMPARE(stage->ObjectCount(2), 1);
    QCOMPARE(stage->ObjectCount(3), 0);
    QCOMPARE(stage->ObjectTotal(), 3);
    QCOMPARE(stage->ObjectList(2).front().Kind, 32);
    QCOMPARE(stage->ObjectTable()[4].Room, 3);
    QCOMPARE(stage->ObjectTable()[4].X, 50);

    // Room 48 or more also ends it; values are read unsigned.
    fixture.Builder.SetObjects(1, {{5, 0xFF, 0x80, 0xFE}, {48, 1, 1, 1}, {49, 2, 2, 2}});
    stage = fixture.Stage(1);
    QCOMPARE(stage->ObjectTotal(), 1);
    QCOMPARE(stage->ObjectList(5).front().X, 0xFF);
    QCOMPARE(stage->ObjectList(5).front().Y, 0x80);
    QCOMPARE(stage->ObjectList(5).front().Kind, 0xFE);

    // A full table of 128 entries, no marker: all read.
    std::vector<ObjectTableEntry> full;
    for (int k = 0; k < ObjectTableSize; ++k)
        full.push_back({k / 3, k, k + 1, k + 2});
    fixture.Builder.SetObjects(1, full);
    stage = fixture.Stage(1);
    QCOMPARE(stage->ObjectTotal(), 128);
    stage->StoreObjects();
    QCOMPARE(fixture.Differences(), std::vector<int32_t>{});
}

void TestStageData::objectTableWriting() {
    Fixture fixture;
    const int32_t rooms = CartridgeBuilder::DefaultOffset(StageTable::ObjectScreen, 1);

    // Stored again, an empty table writes the marker at entry 0 and nothing else.
    fixture.Builder.SetObjects(1, {});
    auto stage = fixture.Stage(1);
    stage->StoreObjects();
    QCOMPARE(fixture.Differences(), std::vector<int32_t>{});
    QCOMPARE((*fixture.Image)[rooms], uint8_t{0xFF});

    // Removing packs the rest from entry 0; the marker moves up and the old bytes of the
    // later entries (the removed object's among them) stay.
    fixture.Builder.SetObjects(1, {{0, 10, 11, 12}, {0, 20, 21, 22}, {2, 30, 31, 32}});
    stage = fixture.Stage(1);
    stage->RemoveObject(&stage->ObjectList(0).front(), 0);
    stage->StoreObjects();
    const int32_t xs = CartridgeBuilder::DefaultOffset(StageTable::ObjectX, 1);
    const int32_t ys = CartridgeBuilder::DefaultOffset(StageTable::ObjectY, 1);
    const int32_t kinds = CartridgeBuilder::DefaultOffset(StageTable::ObjectKind, 1);
    const auto entry = [&](int k) {
        const ImageBuffer &image = *fixture.Image;
        return std::array<int, 4>{image[rooms + k], image[xs + k], image[ys + k], image[kinds + k]};
    };
    const auto builderEntry = [&](int k) {
        const CartridgeBuilder &b = fixture.Builder;
        return std::array<int, 4>{b.Byte(rooms + k), b.Byte(xs + k), b.Byte(ys + k),
                                  b.Byte(kinds + k)};
    };
    QCOMPARE(entry(0), (std::array<int, 4>{0, 20, 21, 22}));
    QCOMPARE(entry(1), (std::array<int, 4>{2, 30, 31, 32}));
    QCOMPARE(entry(2), (std::array<int, 4>{0xFF, 30, 31, 32}));
    QCOMPARE(entry(3), builderEntry(3));
    QCOMPARE(entry(3)[0], 0xFF);
    for (int k = 4; k < ObjectTableSize; ++k)
        QCOMPARE(entry(k), builderEntry(k));

    // Values are written as their low byte; 127 objects put the marker into entry 127.
    stage = fixture.Stage(1);
    for (int room = 0; room < RoomCount; ++room)
        stage->ClearObjectList(room);
    for (int k = 0; k < 127; ++k)
        stage->AddObject(k % RoomCount, 0x100 + k, -1, 0x200);
    QCOMPARE(stage->ObjectTotal(), 127);
    stage->StoreObjects();
    QCOMPARE(entry(0), (std::array<int, 4>{0, 0, 0xFF, 0}));
    // Grouped by room: room 0 holds objects 0, 48 and 96, room 47 objects 47 and 95.
    QCOMPARE(entry(2), (std::array<int, 4>{0, 96, 0xFF, 0}));
    QCOMPARE(entry(3), (std::array<int, 4>{1, 1, 0xFF, 0}));
    QCOMPARE(entry(126), (std::array<int, 4>{47, 95, 0xFF, 0}));
    QCOMPARE(entry(127), (std::array<int, 4>{0xFF, 127, 128, 0x77})); // the builder's leftover

    // More objects than the table holds: the first 128 are written, nothing beyond it.
    stage->AddObject(47, 1, 2, 3);
    stage->AddObject(47, 4, 5, 6);
    stage->StoreObjects();
    QCOMPARE(entry(127)[0], 47);
    QCOMPARE(entry(127)[1], 1);
    QCOMPARE((*fixture.Image)[rooms + 128], fixture.Builder.Byte(rooms + 128));
}

void TestStageData::objectListOperations() {
    Fixture fixture;
    fixture.Builder.SetObjects(6, {});
    const auto stage = fixture.Stage(6);
    stage->AddObject(0, 1, 1, 1);
    stage->AddObject(2, 2, 2, 2);
    stage->AddObject(2, 3, 3, 3);
    stage->AddObject(2, 4, 4, 4);
    stage->AddObject(2, 5, 5, 5);
    ObjectNode *first = stage->AddObject(3, 6, 6, 6);
    ObjectNode *second = stage->AddObject(3, 7, 7, 7);
    QCOMPARE(stage->ObjectIndex(second, 3), 6);
    QCOMPARE(stage->ObjectIndex(first, 3), 5);
    QCOMPARE(stage->ObjectIndex(second, 2), -1);
    QCOMPARE(stage->LastObject(3), second);
    QCOMPARE(stage->LastObject(4), nullptr);

    // A node of another room changes nothing.
    stage->RemoveObject(second, 2);
    QCOMPARE(stage->ObjectCount(2), 4);
    QCOMPARE(stage->ObjectCount(3), 2);
    stage->RemoveObject(first, 3);
    QCOMPARE(stage->ObjectCount(3), 1);
    QCOMPARE(stage->ObjectIndex(second, 3), 5);
    QCOMPARE(second->X, 7);

    stage->ClearObjectList(2);
    QCOMPARE(stage->ObjectCount(2), 0);
    QCOMPARE(stage->ObjectTotal(), 2);
    QCOMPARE(stage->ObjectIndex(second, 3), 1);
}

void TestStageData::sortObjectsByXIsStable() {
    Fixture fixture;
    fixture.Builder.SetObjects(0, {});
    const auto stage = fixture.Stage(0);
    ObjectNode *a = stage->AddObject(9, 5, 0, 1);
    ObjectNode *b = stage->AddObject(9, 3, 0, 2);
    ObjectNode *c = stage->AddObject(9, 5, 0, 3);
    ObjectNode *d = stage->AddObject(9, 1, 0, 4);
    stage->SortObjectsByX(9);
    std::vector<const ObjectNode *> order;
    for (const ObjectNode &node : stage->ObjectList(9))
        order.push_back(&node);
    // The nodes themselves move: pointers held elsewhere stay valid.
    QCOMPARE(order, (std::vector<const ObjectNode *>{d, b, a, c}));
    QCOMPARE(stage->ObjectIndex(c, 9), 3);

    stage->AddObject(10, 8, 0, 0);
    stage->SortObjectsByX(10);
    stage->SortObjectsByX(11);
    QCOMPARE(stage->ObjectCount(10), 1);
    QCOMPARE(stage->ObjectCount(11), 0);
}

void TestStageData::everySetterIsUndoneAndRedone() {
    struct Case {
        const char *Name;
        std::function<bool(StageData &)> Edit;
        std::function<QByteArray(const StageData &)> Bytes; // the bytes the edit covers
        uint8_t Category;
    };
    const std::vector<Case> cases = {
        {"tile", [](StageData &s) { return s.SetChip16x16Tile(517, 0xA1); },
         [](const StageData &s) { return BytesOf({s.Chip16x16()[517]}); }, 0},
        {"property", [](StageData &s) { return s.SetChipProperty(200, 0xA2); },
         [](const StageData &s) { return BytesOf({s.ChipProperty()[200]}); }, 1},
        {"16x16 paste",
         [](StageData &s) {
             return s.PasteChip16x16(9, {0xB1, 0xB2, 0xB3, 0xB4, 0xB5});
         },
         [](const StageData &s) {
             const auto &t = s.Chip16x16();
             return BytesOf({t[9], t[265], t[521], t[777], s.ChipProperty()[9]});
         },
         2},
        {"bank", [](StageData &s) { return s.SetBGBank(1, 0x7D); },
         [](const StageData &s) { return BytesOf({s.BGBank()[1]}); }, 3},
        {"32x32 entry", [](StageData &s) { return s.SetChip32x32Entry(1023, 0xA4); },
         [](const StageData &s) { return BytesOf({s.Chip32x32()[1023]}); }, 4},
        {"32x32 paste",
         [](StageData &s) {
             return s.PasteChip32x32(40, {1, 2, 3, 4});
         },
         [](const StageData &s) {
             const auto &t = s.Chip32x32();
             return BytesOf({t[40], t[41], t[42], t[43]});
         },
         5},
        {"map set entry", [](StageData &s) { return s.SetMapSetEntry(2047, 0xA6); },
         [](const StageData &s) { return BytesOf({s.MapSet()[2047]}); }, 6},
        {"map set paste",
         [](StageData &s) {
             std::array<uint8_t, 64> block{};
             block.fill(0x5A);
             return s.PasteMapSetBlock(128, block);
         },
         [](const StageData &s) {
             return QByteArray(reinterpret_cast<const char *>(s.MapSet().data() + 128), 64);
         },
         7},
        {"map set grid",
         [](StageData &s) {
             std::array<uint8_t, 64> block{};
             for (int i = 0; i < 64; ++i)
                 block[i] = static_cast<uint8_t>(i);
             return s.GridEditMapSetBlock(31 * 64, block);
         },
         [](const StageData &s) {
             return QByteArray(reinterpret_cast<const char *>(s.MapSet().data() + 31 * 64), 64);
         },
         8},
        {"map", [](StageData &s) { return s.SetMapEntry(47, 0xA9); },
         [](const StageData &s) { return BytesOf({s.Map()[47]}); }, 9},
        {"palette", [](StageData &s) { return s.SetPaletteEntry(3 * 16 + 15, 0x3A); },
         [](const StageData &s) { return BytesOf({s.BGPalette(3)[15]}); }, 10},
        {"palette anime", [](StageData &s) { return s.SetPaletteAnimeEntry(4 * 4 + 2, 0x8B); },
         [](const StageData &s) { return BytesOf({s.BGPaletteAnime(4)[2]}); }, 11},
    };

    Fixture fixture;
    for (const Case &each : cases) {
        const auto stage = fixture.Stage(8);
        const QByteArray before = each.Bytes(*stage);
        QVERIFY2(each.Edit(*stage), each.Name);
        const QByteArray after = each.Bytes(*stage);
        QVERIFY2(after != before, each.Name);
        QCOMPARE(stage->UndoName(), EditCategoryName(each.Category));

        QCOMPARE(stage->Undo(), each.Category);
        QCOMPARE(each.Bytes(*stage), before);
        QVERIFY(!stage->CanUndo());
        QCOMPARE(stage->RedoName(), EditCategoryName(each.Category));
        QCOMPARE(stage->Redo(), each.Category);
        QCOMPARE(each.Bytes(*stage), after);
        QCOMPARE(stage->Undo(), each.Category);
        QCOMPARE(each.Bytes(*stage), before);
        QCOMPARE(stage->Undo(), uint8_t{14});
        QVERIFY(stage->CanRedo());
        // The image itself is not touched until a store.
        QCOMPARE(fixture.Differences(), std::vector<int32_t>{});
    }
}

void TestStageData::singleSettersReportChanges() {
    Fixture fixture;
    const auto stage = fixture.Stage(0);
    QVERIFY(stage->SetMapEntry(3, 5));
    stage->ClearHistory();

    QVERIFY(stage->SetMapEntry(3, 7));
    QCOMPARE(stage->Undo(), uint8_t{9});
    QCOMPARE(stage->Map()[3], uint8_t{5});
    QCOMPARE(stage->Redo(), uint8_t{9});
    QCOMPARE(stage->Map()[3], uint8_t{7});
    QCOMPARE(stage->Undo(), uint8_t{9});
    QCOMPARE(stage->Map()[3], uint8_t{5});

    // The value already there: false, no record, the redo step is kept.
    QVERIFY(!stage->SetMapEntry(3, 5));
    QVERIFY(!stage->CanUndo());
    QVERIFY(stage->CanRedo());
    // A real change empties the redo stack.
    QVERIFY(stage->SetMapEntry(3, 6));
    QVERIFY(stage->CanUndo());
    QVERIFY(!stage->CanRedo());

    // Positions outside their tables change nothing.
    QVERIFY(!stage->SetMapEntry(48, 1));
    QVERIFY(!stage->SetMapEntry(-1, 1));
    QVERIFY(!stage->SetChip16x16Tile(1024, 1));
    QVERIFY(!stage->SetBGBank(2, 1));
    QVERIFY(!stage->SetPaletteEntry(80, 1));
    QVERIFY(!stage->SetPaletteAnimeEntry(20, 1));
    QVERIFY(!stage->PasteChip32x32(1021, {1, 2, 3, 4}));
    QVERIFY(!stage->PasteChip16x16(256, {1, 2, 3, 4, 5}));
    QVERIFY(!stage->PasteMapSetBlock(1985, {}));
    QCOMPARE(stage->Undo(), uint8_t{9});
    QVERIFY(!stage->CanUndo());
}

void TestStageData::blockSettersAlwaysRecord() {
    Fixture fixture;
    const auto stage = fixture.Stage(5);
    std::array<uint8_t, 64> same{};
    std::copy_n(stage->MapSet().begin() + 2 * 64, 64, same.begin());
    QVERIFY(stage->PasteMapSetBlock(2 * 64, same));
    QVERIFY(stage->CanUndo());
    stage->ClearHistory();

    std::array<uint8_t, 64> pasted{};
    for (int i = 0; i < 64; ++i)
        pasted[i] = static_cast<uint8_t>(0xC0 + i);
    const MapSetTable original = stage->MapSet();
    QVERIFY(stage->PasteMapSetBlock(2 * 64, pasted));
    QCOMPARE(stage->Undo(), uint8_t{7});
    QCOMPARE(stage->MapSet(), original);
    QCOMPARE(stage->Redo(), uint8_t{7});
    QVERIFY(std::equal(pasted.begin(), pasted.end(), stage->MapSet().begin() + 128));
    QCOMPARE(stage->UndoName(), QStringLiteral("マップセットの編集(貼り付け)"));
}

void TestStageData::recordingSwitchedOff() {
    Fixture fixture;
    const auto stage = fixture.Stage(2);
    QVERIFY(stage->SetMapEntry(0, 0x11));
    QVERIFY(stage->SetMapEntry(0, 0x12));
    QCOMPARE(stage->Undo(), uint8_t{9});

    fixture.Recording = false;
    QVERIFY(stage->SetMapEntry(1, 0x13));
    QVERIFY(stage->PasteChip32x32(0, {9, 9, 9, 9}));
    QCOMPARE(stage->Map()[1], uint8_t{0x13});
    QCOMPARE(stage->Chip32x32()[3], uint8_t{9});
    QVERIFY(stage->CanUndo());
    QVERIFY(stage->CanRedo());

    // Applying steps does not depend on the switch.
    QCOMPARE(stage->Redo(), uint8_t{9});
    QCOMPARE(stage->Map()[0], uint8_t{0x12});
    QCOMPARE(stage->Undo(), uint8_t{9});
    QCOMPARE(stage->Undo(), uint8_t{9});
    QCOMPARE(stage->Map()[0], CartridgeBuilder::Pattern(2, StageTable::Map, 0));
    QCOMPARE(stage->Map()[1], uint8_t{0x13});

    fixture.Recording = true;
    QVERIFY(stage->SetMapEntry(1, 0x14));
    QCOMPARE(stage->Undo(), uint8_t{9});
    QCOMPARE(stage->Map()[1], uint8_t{0x13});
}

void TestStageData::historyRecordsThatCannotApply() {
    Fixture fixture;
    const auto stage = fixture.Stage(3);
    const auto before = stage->Map();
    QCOMPARE(stage->Undo(), uint8_t{14});
    QCOMPARE(stage->Redo(), uint8_t{14});

    QVERIFY(stage->SetMapEntry(0, 0x21));
    stage->PushUndo({12, 0, 0, {}});
    QCOMPARE(stage->UndoName(), QStringLiteral("オブジェクトの編集"));
    QCOMPARE(stage->Undo(), uint8_t{14}); // dropped
    QVERIFY(!stage->CanRedo());
    stage->PushUndo({CategoryMapEntry, 48, 0, {}});
    stage->PushUndo({CategoryMapSetPaste, 0, 0, {1, 2, 3}});
    QCOMPARE(stage->Undo(), uint8_t{14});
    QCOMPARE(stage->Undo(), uint8_t{14});
    QCOMPARE(stage->Undo(), uint8_t{9});
    QCOMPARE(stage->Map(), before);
    QVERIFY(!stage->CanUndo());

    stage->PushUndo({CategoryMapEntry, 1, 0x22, {}});
    QCOMPARE(stage->Undo(), uint8_t{9});
    QVERIFY(stage->CanRedo());
    stage->ClearHistory();
    QVERIFY(!stage->CanUndo());
    QVERIFY(!stage->CanRedo());
    QCOMPARE(stage->UndoName(), QString());
}

void TestStageData::categoryNames_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("name");
    QTest::newRow("0") << 0 << QStringLiteral("16x16チップの編集");
    QTest::newRow("1") << 1 << QStringLiteral("16x16チップの編集(属性・パレット)");
    QTest::newRow("2") << 2 << QStringLiteral("16x16チップの編集(貼り付け)");
    QTest::newRow("3") << 3 << QStringLiteral("BGバンクの変更");
    QTest::newRow("4") << 4 << QStringLiteral("32x32チップの編集");
    QTest::newRow("5") << 5 << QStringLiteral("32x32チップの編集(貼り付け)");
    QTest::newRow("6") << 6 << QStringLiteral("マップセットの編集");
    QTest::newRow("7") << 7 << QStringLiteral("マップセットの編集(貼り付け)");
    QTest::newRow("8") << 8 << QStringLiteral("マップセットの編集(グリッド編集)");
    QTest::newRow("9") << 9 << QStringLiteral("マップの編集");
    QTest::newRow("10") << 10 << QStringLiteral("パレットの編集");
    QTest::newRow("11") << 11 << QStringLiteral("パレットアニメの編集");
    QTest::newRow("12") << 12 << QStringLiteral("オブジェクトの編集");
    QTest::newRow("13") << 13 << QStringLiteral("オブジェクトの編集");
    QTest::newRow("140") << 140 << QStringLiteral("オブジェクトの編集");
    QTest::newRow("137") << 137 << QStringLiteral("マップの編集");
    QTest::newRow("14") << 14 << QStringLiteral("不明な編集");
    QTest::newRow("200") << 200 << QStringLiteral("不明な編集");
}

void TestStageData::categoryNames() {
    QFETCH(int, category);
    QFETCH(QString, name);
    QCOMPARE(EditCategoryName(static_cast<uint8_t>(category)), name);
}

void TestStageData::sharedTablesAreOneStorage() {
    Fixture fixture;
    fixture.CopyImage();
    StageData thirteen(13, *fixture.Image, fixture.Addresses, fixture.Recording);
    StageData fourteen(14, *fixture.Image, fixture.Addresses, fixture.Recording);
    fourteen.ShareChipTablesWith(thirteen);
    fourteen.LoadAll();
    QCOMPARE(thirteen.Chip16x16()[0], CartridgeBuilder::Pattern(13, StageTable::Chip16x16, 0));
    QCOMPARE(fourteen.Map()[0], CartridgeBuilder::Pattern(14, StageTable::Map, 0));

    QVERIFY(fourteen.SetChip16x16Tile(5, 0x99));
    QCOMPARE(thirteen.Chip16x16()[5], uint8_t{0x99});
    QVERIFY(thirteen.SetMapSetEntry(70, 0x98));
    QCOMPARE(fourteen.MapSet()[70], uint8_t{0x98});
    QCOMPARE(&fourteen.ChipProperty(), &thirteen.ChipProperty());
    QCOMPARE(&fourteen.Chip32x32(), &thirteen.Chip32x32());
    QVERIFY(&fourteen.Map() != &thirteen.Map());

    // Undoing in the sharing stage restores the bytes both see, latest step first.
    QCOMPARE(fourteen.Undo(), uint8_t{6});
    QCOMPARE(thirteen.MapSet()[70], CartridgeBuilder::Pattern(13, StageTable::MapSet, 70));
    QCOMPARE(fourteen.Undo(), uint8_t{0});
    QCOMPARE(thirteen.Chip16x16()[5], CartridgeBuilder::Pattern(13, StageTable::Chip16x16, 5));

    QVERIFY(fourteen.SetChip16x16Tile(6, 0x97));
    fourteen.StoreChip16x16();
    QCOMPARE(fixture.At(StageTable::Chip16x16, 13, 6), uint8_t{0x97});
    QCOMPARE(fixture.At(StageTable::Chip16x16, 14, 6),
             CartridgeBuilder::Pattern(14, StageTable::Chip16x16, 6));
}

// A stage that undoes in a group never reverts a later edit another stage made to the same
// bytes behind its back: that edit is the step it undoes first, named with its stage.
void TestStageData::sharedTableStepsAreOneHistory() {
    Fixture fixture;
    fixture.CopyImage();
    StageData thirteen(13, *fixture.Image, fixture.Addresses, fixture.Recording);
    StageData fourteen(14, *fixture.Image, fixture.Addresses, fixture.Recording);
    fourteen.ShareChipTablesWith(thirteen);
    thirteen.LoadAll();
    const uint8_t opened = thirteen.Chip16x16()[9];

    QVERIFY(fourteen.SetChip16x16Tile(9, 0x41));
    QVERIFY(thirteen.SetChip16x16Tile(9, 0x42));
    QCOMPARE(fourteen.UndoName(), QStringLiteral("16x16チップの編集 (ステージ 0D)"));
    QCOMPARE(thirteen.UndoName(), QStringLiteral("16x16チップの編集"));
    QCOMPARE(fourteen.Undo(), uint8_t{0});
    QCOMPARE(thirteen.Chip16x16()[9], uint8_t{0x41});
    QCOMPARE(thirteen.RedoName(), QStringLiteral("16x16チップの編集"));
    QCOMPARE(thirteen.UndoName(), QStringLiteral("16x16チップの編集 (ステージ 0E)"));
    QCOMPARE(thirteen.Undo(), uint8_t{0});
    QCOMPARE(fourteen.Chip16x16()[9], opened);
    QVERIFY(!fourteen.CanUndo());
    QVERIFY(!thirteen.CanUndo());

    // Redo replays them in the order they were made, from either stage.
    QCOMPARE(thirteen.Redo(), uint8_t{0});
    QCOMPARE(fourteen.Redo(), uint8_t{0});
    QCOMPARE(thirteen.Chip16x16()[9], uint8_t{0x42});
    QVERIFY(!thirteen.CanRedo());

    // A new edit in either stage ends the group's redo list; clearing one stage clears the
    // steps both show.
    QCOMPARE(fourteen.Undo(), uint8_t{0});
    QVERIFY(thirteen.CanRedo());
    QVERIFY(fourteen.SetMapEntry(2, 0x1F));
    QVERIFY(!thirteen.CanRedo());
    thirteen.ClearHistory();
    QVERIFY(!thirteen.CanUndo());
    QCOMPARE(fourteen.UndoName(), QStringLiteral("マップの編集"));
}

// Steps on the stage's own tables and on the shared ones undo newest first and redo oldest
// first, interleaved as they were made.
void TestStageData::ownAndSharedStepsUndoInTimeOrder() {
    Fixture fixture;
    const std::unique_ptr<StageData> stage = fixture.Stage(3);
    QVERIFY(stage->SetMapEntry(0, 0x11));
    QVERIFY(stage->SetMapSetEntry(0, 0x22));
    QVERIFY(stage->SetPaletteEntry(0, 0x33));
    QVERIFY(stage->SetChipProperty(0, 0x44));
    const std::vector<uint8_t> expected = {1, 10, 6, 9};
    for (uint8_t category : expected)
        QCOMPARE(stage->Undo(), category);
    QCOMPARE(stage->Map()[0], CartridgeBuilder::Pattern(3, StageTable::Map, 0));
    for (auto it = expected.rbegin(); it != expected.rend(); ++it)
        QCOMPARE(stage->Redo(), *it);
    QCOMPARE(stage->Map()[0], uint8_t{0x11});
    QCOMPARE(stage->ChipProperty()[0], uint8_t{0x44});
}

QTEST_GUILESS_MAIN(TestStageData)
#include "tst_stagedata.moc"
