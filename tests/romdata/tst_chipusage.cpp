#include "CartridgeBuilder.h"
#include "MyIniFiles.h"
#include "address.h"
#include "chipusage.h"
#include "editdata.h"

#include <QTest>
#include <memory>

namespace {

enum class ScannedTable { Chip16x16 = 0, Chip32x32 = 1, MapSet = 2 };

/// Stage models over a copy of the builder's image, with the default addresses.
struct Fixture {
    CartridgeBuilder Builder;
    TMyMemIniFile Settings{QStringLiteral("/nonexistent/quartex3editor.ini")};
    AddressData Addresses{Settings};
    std::unique_ptr<ImageBuffer> Image = std::make_unique<ImageBuffer>();
    bool Recording = true;

    Fixture() {
        std::copy(Builder.Bytes().cbegin(), Builder.Bytes().cend(),
                  reinterpret_cast<char *>(Image->data()));
    }
    std::unique_ptr<StageData> Stage(int number) {
        auto stage = std::make_unique<StageData>(number, *Image, Addresses, Recording);
        stage->LoadAll();
        return stage;
    }
};

void Write(StageData &stage, ScannedTable table, int position, uint8_t value) {
    switch (table) {
    case ScannedTable::Chip16x16:
        stage.SetChip16x16Tile(position, value);
        break;
    case ScannedTable::Chip32x32:
        stage.SetChip32x32Entry(position, value);
        break;
    case ScannedTable::MapSet:
        stage.MapSetForReplacement()[static_cast<size_t>(position)] = value;
        break;
    }
}

int TableSize(ScannedTable table) {
    return table == ScannedTable::MapSet ? 2048 : 1024;
}

/// Fills `table` by cycling through every number except `unused`.
void FillWithAllBut(StageData &stage, ScannedTable table, const QList<int> &unused) {
    std::vector<uint8_t> used;
    for (int number = 0; number < 256; ++number)
        if (!unused.contains(number))
            used.push_back(static_cast<uint8_t>(number));
    for (int position = 0; position < TableSize(table); ++position)
        Write(stage, table, position, used.empty() ? 0 : used[position % used.size()]);
}

void Set32x32Chip(StageData &stage, int chip, std::array<uint8_t, 4> quarters) {
    for (int quarter = 0; quarter < 4; ++quarter)
        stage.SetChip32x32Entry(chip * 4 + quarter, quarters[quarter]);
}

/// Every 32x32 chip n made of 16x16 chip n four times: no two are identical.
void MakeAll32x32ChipsDistinct(StageData &stage) {
    for (int chip = 0; chip < 256; ++chip) {
        const auto n = static_cast<uint8_t>(chip);
        Set32x32Chip(stage, chip, {n, n, n, n});
    }
}

/// Chips 05, 0A, 1B identical; 40 and 41 identical; 30 and 31 differ only in the order of
/// their quarters, which does not make them identical.
void MakeDuplicateGroups(StageData &stage) {
    MakeAll32x32ChipsDistinct(stage);
    Set32x32Chip(stage, 0x05, {0x70, 0x71, 0x72, 0x73});
    Set32x32Chip(stage, 0x0A, {0x70, 0x71, 0x72, 0x73});
    Set32x32Chip(stage, 0x1B, {0x70, 0x71, 0x72, 0x73});
    Set32x32Chip(stage, 0x41, {0x40, 0x40, 0x40, 0x40});
    Set32x32Chip(stage, 0x30, {0x30, 0x31, 0x30, 0x30});
    Set32x32Chip(stage, 0x31, {0x31, 0x30, 0x30, 0x30});
}

const QString Groups = QStringLiteral("05 0A 1B \r\n40 41 \r\n");
const QString ReplacementPreview = QStringLiteral("05 <- 0A 1B \r\n40 <- 41 \r\n");

} // namespace

class TestChipUsage : public QObject {
    Q_OBJECT

private slots:
    void unusedNumbers_data();
    void unusedNumbers();
    void duplicateGroups();
    void lastTwoChipsFormAGroup();
    void replacementRewritesOnlyLaterMembers();
    void sharedStagesSeeOneResult();
};

void TestChipUsage::unusedNumbers_data() {
    QTest::addColumn<int>("table");
    QTest::addColumn<QList<int>>("unused");
    QTest::addColumn<int>("lonePosition");
    QTest::addColumn<int>("loneValue");
    QTest::addColumn<QString>("expected");

    const auto tiles = static_cast<int>(ScannedTable::Chip16x16);
    const auto chips16 = static_cast<int>(ScannedTable::Chip32x32);
    const auto chips32 = static_cast<int>(ScannedTable::MapSet);
    QTest::newRow("tiles 00 01 35")
        << tiles << QList<int>{0x00, 0x01, 0x35} << -1 << 0 << QStringLiteral("00 01 \r\n35 \r\n");
    // Quarter 3 of 16x16 chip FF, a chip no 32x32 chip uses, still uses tile 42.
    QTest::newRow("tile used by an unused chip") << tiles << QList<int>{0x10, 0x42, 0xFE} << 1023
                                                 << 0x42 << QStringLiteral("10 \r\nFE \r\n");
    QTest::newRow("all 16x16 chips used") << chips16 << QList<int>{} << -1 << 0 << QString();
    QTest::newRow("16x16 chips of a whole row")
        << chips16 << QList<int>{0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7,
                                 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF}
        << -1 << 0 << QStringLiteral("F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF \r\n");
    QTest::newRow("all 256 32x32 chips used") << chips32 << QList<int>{} << -1 << 0 << QString();
    // The last cell of map set 31, which no room shows, still uses chip 9C.
    QTest::newRow("32x32 chip used by an unshown map set")
        << chips32 << QList<int>{0x00, 0x7F, 0x80, 0x9C} << 2047 << 0x9C
        << QStringLiteral("00 \r\n7F \r\n80 \r\n");
}

void TestChipUsage::unusedNumbers() {
    QFETCH(int, table);
    QFETCH(QList<int>, unused);
    QFETCH(int, lonePosition);
    QFETCH(int, loneValue);
    QFETCH(QString, expected);

    Fixture fixture;
    auto stage = fixture.Stage(3);
    // No 32x32 chip uses 16x16 chip FF and every room shows map set 0.
    FillWithAllBut(*stage, ScannedTable::Chip32x32, {0xFF});
    for (int room = 0; room < RoomCount; ++room)
        stage->SetMapEntry(room, 0);

    const auto scanned = static_cast<ScannedTable>(table);
    FillWithAllBut(*stage, scanned, unused);
    if (lonePosition >= 0)
        Write(*stage, scanned, lonePosition, static_cast<uint8_t>(loneValue));

    switch (scanned) {
    case ScannedTable::Chip16x16:
        QCOMPARE(ListUnusedTiles(*stage), expected);
        break;
    case ScannedTable::Chip32x32:
        QCOMPARE(ListUnused16x16Chips(*stage), expected);
        break;
    case ScannedTable::MapSet:
        QCOMPARE(ListUnused32x32Chips(*stage), expected);
        break;
    }
}

void TestChipUsage::duplicateGroups() {
    Fixture fixture;
    auto stage = fixture.Stage(2);
    MakeAll32x32ChipsDistinct(*stage);
    QCOMPARE(ListDuplicate32x32Chips(*stage), QString());
    QCOMPARE(ListDuplicateChips(*stage), QString());

    MakeDuplicateGroups(*stage);
    QCOMPARE(ListDuplicate32x32Chips(*stage), Groups);
    QCOMPARE(ListDuplicateChips(*stage), ReplacementPreview);

    // Chips 00..FF all alike: one group under 00 holding the other 255.
    for (int chip = 0; chip < 256; ++chip)
        Set32x32Chip(*stage, chip, {1, 2, 3, 4});
    const QString all = ListDuplicate32x32Chips(*stage);
    QCOMPARE(all.count(QStringLiteral("\r\n")), 1);
    QVERIFY(all.startsWith(QStringLiteral("00 01 02 ")));
    QVERIFY(all.endsWith(QStringLiteral("FE FF \r\n")));
}

// The last pair of the table is compared like any other.
void TestChipUsage::lastTwoChipsFormAGroup() {
    Fixture fixture;
    auto stage = fixture.Stage(4);
    MakeAll32x32ChipsDistinct(*stage);
    Set32x32Chip(*stage, 0xFF, {0xFE, 0xFE, 0xFE, 0xFE});
    MapSetTable &mapSet = stage->MapSetForReplacement();
    mapSet.fill(0x01);
    mapSet[5] = 0xFF;
    mapSet[2047] = 0xFE;

    QCOMPARE(ListDuplicate32x32Chips(*stage), QStringLiteral("FE FF \r\n"));
    QCOMPARE(ListDuplicateChips(*stage), QStringLiteral("FE <- FF \r\n"));
    QCOMPARE(ReplaceDuplicateChips(*stage), 1);
    QCOMPARE(stage->MapSet()[5], uint8_t{0xFE});
    QCOMPARE(stage->MapSet()[2047], uint8_t{0xFE});
}

void TestChipUsage::replacementRewritesOnlyLaterMembers() {
    Fixture fixture;
    auto stage = fixture.Stage(5);
    MakeDuplicateGroups(*stage);
    MapSetTable &mapSet = stage->MapSetForReplacement();
    mapSet.fill(0x02);
    const std::vector<std::pair<int, uint8_t>> cells = {{0, 0x0A},    {63, 0x1B},   {64, 0x0A},
                                                        {700, 0x41},  {1000, 0x05}, {2047, 0x1B},
                                                        {2046, 0x30}, {2045, 0x31}};
    for (const auto &[position, chip] : cells)
        mapSet[static_cast<size_t>(position)] = chip;
    const Chip32x32Table definitions = stage->Chip32x32();
    const QString undoName = stage->UndoName();

    QCOMPARE(ReplaceDuplicateChips(*stage), 5);
    const std::vector<std::pair<int, uint8_t>> replaced = {{0, 0x05},    {63, 0x05},   {64, 0x05},
                                                           {700, 0x40},  {1000, 0x05}, {2047, 0x05},
                                                           {2046, 0x30}, {2045, 0x31}};
    for (const auto &[position, chip] : replaced)
        QCOMPARE(stage->MapSet()[static_cast<size_t>(position)], chip);
    QCOMPARE(std::count(stage->MapSet().cbegin(), stage->MapSet().cend(), uint8_t{0x02}),
             2048 - static_cast<long>(cells.size()));
    // The definitions stay, so the replaced chips turn up as unused and the groups remain.
    QVERIFY(stage->Chip32x32() == definitions);
    QCOMPARE(stage->UndoName(), undoName);
    const QString unused = ListUnused32x32Chips(*stage);
    QVERIFY(unused.contains(QStringLiteral("0A ")));
    QVERIFY(unused.contains(QStringLiteral("1B ")));
    QVERIFY(unused.contains(QStringLiteral("41 ")));
    QVERIFY(!unused.contains(QStringLiteral("05 ")));
    QCOMPARE(ListDuplicateChips(*stage), ReplacementPreview);

    QCOMPARE(ReplaceDuplicateChips(*stage), 0);
    QCOMPARE(stage->MapSet()[0], uint8_t{0x05});
}

void TestChipUsage::sharedStagesSeeOneResult() {
    Fixture fixture;
    StageData thirteen(13, *fixture.Image, fixture.Addresses, fixture.Recording);
    StageData fourteen(14, *fixture.Image, fixture.Addresses, fixture.Recording);
    fourteen.ShareChipTablesWith(thirteen);
    thirteen.LoadAll();
    fourteen.LoadAll();

    MakeDuplicateGroups(fourteen);
    QCOMPARE(ListDuplicate32x32Chips(thirteen), Groups);

    fourteen.MapSetForReplacement().fill(0x1B);
    QCOMPARE(ReplaceDuplicateChips(thirteen), 2048);
    QVERIFY(std::all_of(fourteen.MapSet().cbegin(), fourteen.MapSet().cend(),
                        [](uint8_t chip) { return chip == 0x05; }));
    QCOMPARE(ReplaceDuplicateChips(fourteen), 0);
}

QTEST_GUILESS_MAIN(TestChipUsage)
#include "tst_chipusage.moc"
