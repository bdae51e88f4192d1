#include "CartridgeBuilder.h"
#include "FaultyFileSystem.h"
#include "MyIniFiles.h"
#include "ScriptedPrompt.h"
#include "TestFiles.h"
#include "edit_flag.h"
#include "fileio.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <unistd.h>

namespace {

const QString CannotOpen = QStringLiteral("ファイルを開けませんでした");
const QString BadImage = QStringLiteral("ROMイメージが異常です");
const QString OutsideAtOpen = QStringLiteral(
    "次の表はROMイメージの範囲外にあるため、0として読み込みました。編集しても保存できません。");
const QString OutsideAtSave =
    QStringLiteral("次の表はROMイメージの範囲外にあるため、保存できませんでした。");
const QString OutsideForCopy = QStringLiteral(
    "次の表はROMイメージの範囲外にあるため、編集後のイメージを作れませんでした。");

/// A document with its borrowed parts, and a folder to put files in.
struct Fixture {
    explicit Fixture(const QByteArray &settingsText = QByteArray()) {
        const QString iniPath = Dir.filePath(QStringLiteral("quartex3editor.ini"));
        if (!settingsText.isEmpty() && !WriteFile(iniPath, settingsText))
            qFatal("cannot write the settings file");
        Settings = std::make_unique<TMyMemIniFile>(iniPath);
        Document = std::make_unique<RomImageData>(Flags, AttributeNames, *Settings, Prompt);
    }

    QString Path(const QString &name) const { return Dir.filePath(name); }
    QString WriteImage(const QString &name, const QByteArray &bytes) const {
        const QString path = Path(name);
        if (!WriteFile(path, bytes))
            qFatal("cannot write the image file");
        return path;
    }
    QByteArray ImageBytes(int32_t count) const {
        return QByteArray(reinterpret_cast<const char *>(Document->Image().data()), count);
    }

    QTemporaryDir Dir;
    QString Status;
    EditFlagManagement Flags{[this](const QString &text) { Status = text; }};
    QStringList AttributeNames;
    ScriptedPrompt Prompt;
    std::unique_ptr<TMyMemIniFile> Settings;
    std::unique_ptr<RomImageData> Document;
};

bool AnyHistory(const RomImageData &document) {
    for (int stage = 0; stage < StageCount; ++stage)
        if (document.Stage(stage).CanUndo() || document.Stage(stage).CanRedo())
            return true;
    return false;
}

} // namespace

class TestRomImage : public QObject {
    Q_OBJECT

private slots:
    void unchangedImageSavesByteForByte();
    void onlyFlaggedAreasAreEncoded();
    void editedImageIsTheSaveWithoutTouchingTheDocument();
    void sharedStagesSaveToOnePlace();
    void shareChainsKeepStorageAndOffsetsTogether();
    void historiesAreClearedByOpenSaveAndClose();
    void fileSizes_data();
    void fileSizes();
    void failedOpenKeepsTheLoadedImage();
    void headerOnlyImageAfterALargeOneReadsZeros();
    void failedSaveKeepsFlagsAndHistories_data();
    void failedSaveKeepsFlagsAndHistories();
    void saveInAFolderThatRefusesNewFilesWritesTheSameBytes();
    void saveNeverGrowsTheFile();
    void undoFollowsTheCurrentStage();
    void chrPageCountAndClose();
    void chipAttributeNames();
};

void TestRomImage::unchangedImageSavesByteForByte() {
    Fixture fixture;
    const CartridgeBuilder builder;
    const QString original = fixture.WriteImage(QStringLiteral("original.nes"), builder.Bytes());
    QVERIFY(fixture.Document->Open(original));
    QCOMPARE(fixture.Document->FilePath(), original);
    QCOMPARE(fixture.Document->Size(), CartridgeBuilder::ImageSize);
    QCOMPARE(fixture.Document->Stage(9).Map()[4], CartridgeBuilder::Pattern(9, StageTable::Map, 4));

    const QString copy = fixture.Path(QStringLiteral("copy.nes"));
    QVERIFY(fixture.Document->Save(copy));
    QCOMPARE(ReadFile(copy), builder.Bytes());
    QCOMPARE(fixture.Document->FilePath(), copy);

    // Every area flagged: every table is encoded again, and still nothing changes.
    for (int area = 0; area < EditAreaCount; ++area)
        for (int stage = 0; stage < StageCount; ++stage)
            fixture.Flags.SetEditFlag(static_cast<EditArea>(area), stage, true);
    const QString again = fixture.Path(QStringLiteral("again.nes"));
    QVERIFY(fixture.Document->Save(again));
    QCOMPARE(ReadFile(again), builder.Bytes());
    QVERIFY(fixture.Prompt.Messages.isEmpty());
    QVERIFY(fixture.Prompt.Errors.isEmpty());
}

void TestRomImage::onlyFlaggedAreasAreEncoded() {
    Fixture fixture;
    CartridgeBuilder builder;
    QVERIFY(fixture.Document->Open(fixture.WriteImage(QStringLiteral("a.nes"), builder.Bytes())));
    RomImageData &document = *fixture.Document;

    // Stage 3's palette is changed and flagged; stage 4's map is changed but not flagged.
    QVERIFY(document.Stage(3).SetPaletteEntry(16 * 4 + 15, 0x30));
    fixture.Flags.SetEditFlag(EditArea::Palette, 3, true);
    QCOMPARE(fixture.Status, QStringLiteral("変更あり"));
    QVERIFY(document.Stage(4).SetMapEntry(0, 0x1E));
    // Bytes poked into the buffer behind the model's back show which tables are encoded.
    const int32_t chip0 = CartridgeBuilder::DefaultOffset(StageTable::Chip16x16, 0);
    const int32_t property0 = CartridgeBuilder::DefaultOffset(StageTable::ChipProperty, 0);
    const int32_t chip1 = CartridgeBuilder::DefaultOffset(StageTable::Chip16x16, 1);
    document.Image()[chip0 + 10] ^= 0xFF;
    document.Image()[property0 + 10] ^= 0xFF;
    document.Image()[chip1 + 10] ^= 0xFF;
    // A bank change of stage 0 flags area 0, which encodes the chip tables as they are.
    QVERIFY(document.Stage(0).SetBGBank(0, 0x40));
    fixture.Flags.SetEditFlag(EditArea::Chip16x16, 0, true);

    const QString saved = fixture.Path(QStringLiteral("b.nes"));
    QVERIFY(document.Save(saved));
    QVERIFY(!fixture.Flags.IsModified());
    QCOMPARE(fixture.Status, QString());

    builder.SetByte(CartridgeBuilder::DefaultOffset(StageTable::BGPalette, 3) + 95, 0x30);
    builder.SetByte(CartridgeBuilder::DefaultOffset(StageTable::BGBank, 0), 0x40);
    builder.SetByte(chip1 + 10, builder.Byte(chip1 + 10) ^ 0xFF);
    QCOMPARE(ReadFile(saved), builder.Bytes());
}

void TestRomImage::editedImageIsTheSaveWithoutTouchingTheDocument() {
    Fixture fixture;
    const CartridgeBuilder builder;
    QVERIFY(fixture.Document->Open(fixture.WriteImage(QStringLiteral("a.nes"), builder.Bytes())));
    RomImageData &document = *fixture.Document;
    QVERIFY(document.Stage(2).SetMapSetEntry(5 * 64 + 7, 0x99));
    fixture.Flags.SetEditFlag(EditArea::MapSet, 2, true);
    QVERIFY(document.Stage(17).SetPaletteEntry(3, 0x21));
    fixture.Flags.SetEditFlag(EditArea::Palette, 17, true);
    const QByteArray live = fixture.ImageBytes(document.Size());

    const QByteArray edited = document.EditedImage().value();
    QCOMPARE(fixture.ImageBytes(document.Size()), live);
    QVERIFY(fixture.Flags.IsModified());
    QVERIFY(document.Stage(2).CanUndo());
    QVERIFY(edited != live);

    const QString saved = fixture.Path(QStringLiteral("b.nes"));
    QVERIFY(document.Save(saved));
    QCOMPARE(edited, ReadFile(saved));
}

void TestRomImage::sharedStagesSaveToOnePlace() {
    Fixture fixture;
    CartridgeBuilder builder;
    QVERIFY(fixture.Document->Open(fixture.WriteImage(QStringLiteral("a.nes"), builder.Bytes())));
    RomImageData &document = *fixture.Document;

    QCOMPARE(document.Stage(14).Chip16x16()[5],
             CartridgeBuilder::Pattern(13, StageTable::Chip16x16, 5));
    QCOMPARE(document.Stage(14).Map()[5], CartridgeBuilder::Pattern(14, StageTable::Map, 5));
    document.SetCurrentStage(14);
    QVERIFY(document.CurrentStageData().SetChip16x16Tile(5, 0xD1));
    fixture.Flags.SetEditFlag(EditArea::Chip16x16, 14, true);
    QCOMPARE(document.Stage(13).Chip16x16()[5], uint8_t{0xD1});
    QCOMPARE(document.Stage(16).Chip16x16()[5], uint8_t{0xD1});
    QVERIFY(document.Stage(16).SetMapSetEntry(9, 0xD2));
    QCOMPARE(document.Stage(14).MapSet()[9], uint8_t{0xD2});
    QVERIFY(document.Stage(15).Chip16x16()[5] != 0xD1);

    const QString saved = fixture.Path(QStringLiteral("b.nes"));
    QVERIFY(document.Save(saved));
    builder.SetByte(CartridgeBuilder::DefaultOffset(StageTable::Chip16x16, 13) + 5, 0xD1);
    // Stage 14's own bank bytes go with its 16x16 chip area, to its own place.
    QCOMPARE(ReadFile(saved), builder.Bytes());
}

void TestRomImage::shareChainsKeepStorageAndOffsetsTogether() {
    // Stage 2 names stage 5 before stage 5 is made to share stage 0; stage 7 names stage 2.
    Fixture fixture(QByteArrayLiteral("[ShareData]\nlevel.2=5\nlevel.5=0\nlevel.7=2\n"));
    CartridgeBuilder builder;
    RomImageData &document = *fixture.Document;
    QVERIFY(document.Open(fixture.WriteImage(QStringLiteral("a.nes"), builder.Bytes())));
    QCOMPARE(document.Stage(7).MapSet()[3], CartridgeBuilder::Pattern(5, StageTable::MapSet, 3));
    QCOMPARE(document.Stage(5).MapSet()[3], CartridgeBuilder::Pattern(0, StageTable::MapSet, 3));

    QVERIFY(document.Stage(7).SetMapSetEntry(3, 0xE7));
    fixture.Flags.SetEditFlag(EditArea::MapSet, 7, true);
    QCOMPARE(document.Stage(2).MapSet()[3], uint8_t{0xE7});
    QVERIFY(document.Stage(5).MapSet()[3] != 0xE7);
    QVERIFY(document.Stage(0).MapSet()[3] != 0xE7);

    const QString saved = fixture.Path(QStringLiteral("b.nes"));
    QVERIFY(document.Save(saved));
    builder.SetByte(CartridgeBuilder::DefaultOffset(StageTable::MapSet, 5) + 3, 0xE7);
    QCOMPARE(ReadFile(saved), builder.Bytes());
}

void TestRomImage::historiesAreClearedByOpenSaveAndClose() {
    Fixture fixture;
    const CartridgeBuilder builder;
    const QString path = fixture.WriteImage(QStringLiteral("a.nes"), builder.Bytes());
    RomImageData &document = *fixture.Document;
    uint8_t value = 0x30;
    const auto editSomeStages = [&document, &value] {
        ++value;
        QVERIFY(document.Stage(0).SetMapEntry(1, value));
        QVERIFY(document.Stage(17).SetMapEntry(1, value));
        QVERIFY(document.Stage(9).SetPaletteEntry(0, value));
        QCOMPARE(document.Stage(9).Undo(), uint8_t{10});
        QVERIFY(AnyHistory(document));
    };

    QVERIFY(document.Open(path));
    editSomeStages();
    QVERIFY(document.Open(path));
    QVERIFY(!AnyHistory(document));
    QCOMPARE(document.Stage(0).Map()[1], CartridgeBuilder::Pattern(0, StageTable::Map, 1));

    editSomeStages();
    QVERIFY(document.Save(path));
    QVERIFY(!AnyHistory(document));

    editSomeStages();
    document.Close();
    QVERIFY(!AnyHistory(document));
}

void TestRomImage::fileSizes_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("header");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("message"); // empty: none

    // A header alone holds no table: every table of every stage is named, once.
    QStringList outside{OutsideAtOpen};
    for (int stage = 0; stage < StageCount; ++stage)
        outside << QStringLiteral("ステージ ") + Hex2(stage) +
                       QStringLiteral(": BGBank, Chip16x16, ChipProperty, Chip32x32, MapSet, Map, "
                                      "BGPalette, BGPaletteAnime, ObjectScreen, ObjectX, "
                                      "ObjectY, ObjectKind");
    QTest::newRow("15") << 15 << true << false << CannotOpen;
    QTest::newRow("16") << 16 << true << true << outside.join(u'\n');
    QTest::newRow("1572928") << ImageBufferSize << true << true << QString();
    QTest::newRow("1572929") << ImageBufferSize + 1 << true << false << CannotOpen;
    QTest::newRow("empty") << 0 << false << false << CannotOpen;
    QTest::newRow("bad header") << 1024 << false << false << BadImage;
    QTest::newRow("bad header, largest") << ImageBufferSize << false << false << BadImage;
}

void TestRomImage::fileSizes() {
    QFETCH(int, size);
    QFETCH(bool, header);
    QFETCH(bool, opens);
    QFETCH(QString, message);
    Fixture fixture;
    QByteArray bytes(size, '\x5A');
    if (header)
        bytes.replace(0, std::min(size, 4), QByteArrayLiteral("NES\x1A").left(size));
    else if (size >= 4)
        bytes.replace(0, 4, QByteArrayLiteral("NES\x1B"));
    const QString path = fixture.WriteImage(QStringLiteral("sized.nes"), bytes);

    QCOMPARE(fixture.Document->Open(path), opens);
    QCOMPARE(fixture.Prompt.Messages, message.isEmpty() ? QStringList() : QStringList{message});
    if (opens) {
        QCOMPARE(fixture.Document->Size(), size);
        QCOMPARE(fixture.ImageBytes(size), bytes);
        QCOMPARE(fixture.Document->FilePath(), path);
        const QString saved = fixture.Path(QStringLiteral("saved.nes"));
        QVERIFY(fixture.Document->Save(saved));
        QCOMPARE(ReadFile(saved), bytes);
    } else {
        QCOMPARE(fixture.Document->Size(), 0);
        QCOMPARE(fixture.Document->FilePath(), QString());
        QCOMPARE(fixture.ImageBytes(ImageBufferSize), QByteArray(ImageBufferSize, '\0'));
    }
    QVERIFY(fixture.Prompt.Errors.isEmpty());
}

void TestRomImage::failedOpenKeepsTheLoadedImage() {
    Fixture fixture;
    const CartridgeBuilder builder;
    const QString good = fixture.WriteImage(QStringLiteral("good.nes"), builder.Bytes());
    RomImageData &document = *fixture.Document;
    QVERIFY(document.Open(good));
    QVERIFY(document.Stage(2).SetMapEntry(7, 0x0E));
    fixture.Flags.SetEditFlag(EditArea::Map, 2, true);
    const QByteArray before = fixture.ImageBytes(ImageBufferSize);

    QByteArray badHeader = builder.Bytes().left(4096);
    badHeader[0] = 'M';
    const QStringList failing = {
        fixture.WriteImage(QStringLiteral("short.nes"), QByteArrayLiteral("NES\x1A")),
        fixture.WriteImage(QStringLiteral("bad.nes"), badHeader),
        fixture.Path(QStringLiteral("missing.nes")),
        fixture.Dir.path(),
    };
    for (const QString &path : failing) {
        QVERIFY(!document.Open(path));
        QCOMPARE(fixture.ImageBytes(ImageBufferSize), before);
        QCOMPARE(document.Size(), CartridgeBuilder::ImageSize);
        QCOMPARE(document.FilePath(), good);
        QVERIFY(document.Stage(2).CanUndo());
        QCOMPARE(document.Stage(2).Map()[7], uint8_t{0x0E});
    }
    QCOMPARE(fixture.Prompt.Messages, (QStringList{CannotOpen, BadImage}));
    // The missing file and the folder go to the standard error box, named, with the reason.
    QCOMPARE(
        fixture.Prompt.Errors,
        (QStringList{fixture.Path(QStringLiteral("missing.nes")) +
                         QStringLiteral("を開けませんでした。\n"
                                        "ファイルまたはフォルダーが見つかりません。"),
                     fixture.Dir.path() + QStringLiteral("を開けませんでした。\n"
                                                         "ファイルではなくフォルダーです。")}));

    // Saving afterwards writes the earlier image, with its edit.
    QVERIFY(document.Save(document.FilePath()));
    CartridgeBuilder expected;
    expected.SetByte(CartridgeBuilder::DefaultOffset(StageTable::Map, 2) + 7, 0x0E);
    QCOMPARE(ReadFile(good), expected.Bytes());
}

void TestRomImage::headerOnlyImageAfterALargeOneReadsZeros() {
    Fixture fixture;
    const CartridgeBuilder builder;
    RomImageData &document = *fixture.Document;
    QVERIFY(document.Open(fixture.WriteImage(QStringLiteral("large.nes"), builder.Bytes())));
    QVERIFY(document.Stage(0).Chip16x16()[1] != 0);

    const QByteArray header = QByteArrayLiteral("NES\x1A\x01\x02\0\0\0\0\0\0\0\0\0\0");
    QCOMPARE(header.size(), 16);
    const QString tiny = fixture.WriteImage(QStringLiteral("tiny.nes"), header);
    QVERIFY(document.Open(tiny));
    QCOMPARE(document.Size(), 16);
    QCOMPARE(fixture.ImageBytes(ImageBufferSize), header + QByteArray(ImageBufferSize - 16, '\0'));
    for (int stage = 0; stage < StageCount; ++stage) {
        const StageData &data = document.Stage(stage);
        QCOMPARE(data.BGBank(), (std::array<uint8_t, 2>{}));
        QCOMPARE(data.Chip16x16(), Chip16x16Table{});
        QCOMPARE(data.ChipProperty(), ChipPropertyTable{});
        QCOMPARE(data.Chip32x32(), Chip32x32Table{});
        QCOMPARE(data.MapSet(), MapSetTable{});
        QCOMPARE(data.Map(), (std::array<uint8_t, RoomCount>{}));
        QCOMPARE(data.BGPalette(4), PaletteSet{});
        QCOMPARE(data.BGPaletteAnime(4), PaletteAnimeSet{});
        // Room 0 everywhere: the whole zero table is read as 128 objects of room 0.
        QCOMPARE(data.ObjectTotal(), 128);
    }
    QCOMPARE(document.ChrPageCount(), 16);
}

void TestRomImage::failedSaveKeepsFlagsAndHistories_data() {
    QTest::addColumn<bool>("folderRefuses");
    QTest::newRow("written aside") << false;
    QTest::newRow("written in place") << true;
}

void TestRomImage::failedSaveKeepsFlagsAndHistories() {
    QFETCH(bool, folderRefuses);
    Fixture fixture;
    std::optional<FoldersRefuseNewFiles> refusing;
    if (folderRefuses)
        refusing.emplace(QStringList{fixture.Dir.path()});
    const CartridgeBuilder builder;
    const QString path = fixture.WriteImage(QStringLiteral("a.nes"), builder.Bytes());
    RomImageData &document = *fixture.Document;
    QVERIFY(document.Open(path));
    QVERIFY(document.Stage(5).SetChipProperty(3, 0x11));
    fixture.Flags.SetEditFlag(EditArea::Chip16x16, 5, true);

    QVERIFY(!document.Save(fixture.Path(QStringLiteral("no/such/folder/x.nes"))));
    QVERIFY(!document.Save(fixture.Dir.path()));
    QCOMPARE(fixture.Prompt.Errors.size(), 2);
    QVERIFY(!fixture.Prompt.Errors[0].isEmpty());
    QVERIFY(fixture.Flags.IsModified());
    QVERIFY(fixture.Flags.EditFlag(EditArea::Chip16x16, 5));
    QVERIFY(document.Stage(5).CanUndo());
    QCOMPARE(document.FilePath(), path);
    QCOMPARE(ReadFile(path), builder.Bytes());
    QVERIFY(fixture.Prompt.Messages.isEmpty());
}

void TestRomImage::saveInAFolderThatRefusesNewFilesWritesTheSameBytes() {
    Fixture fixture;
    const CartridgeBuilder builder;
    RomImageData &document = *fixture.Document;
    QVERIFY(document.Open(fixture.WriteImage(QStringLiteral("a.nes"), builder.Bytes())));
    QVERIFY(document.Stage(7).SetMapEntry(1, 0x3C));
    fixture.Flags.SetEditFlag(EditArea::Map, 7, true);
    QVERIFY(document.Stage(9).SetChip32x32Entry(40, 0x77));
    fixture.Flags.SetEditFlag(EditArea::Chip32x32, 9, true);
    const QByteArray expected = document.EditedImage().value();
    QVERIFY(expected != builder.Bytes());

    const QString target = fixture.WriteImage(QStringLiteral("b.nes"), builder.Bytes());
    const QString link = fixture.Path(QStringLiteral("link.nes"));
    QCOMPARE(::link(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()), 0);
    {
        const FoldersRefuseNewFiles refusing({fixture.Dir.path()});
        QVERIFY(document.Save(target));
    }
    QCOMPARE(ReadFile(target), expected);
    // Written in place: every name of the file sees the new bytes.
    QCOMPARE(ReadFile(link), expected);
    QVERIFY(!fixture.Flags.IsModified());
    QVERIFY(fixture.Prompt.Errors.isEmpty());
}

void TestRomImage::saveNeverGrowsTheFile() {
    // Every stage's map sets lie past the end of the image but inside the buffer.
    Fixture fixture(QByteArrayLiteral("[LevelDataAddress]\nMapSet=60000\n"));
    const CartridgeBuilder builder;
    RomImageData &document = *fixture.Document;
    QVERIFY(document.Open(fixture.WriteImage(QStringLiteral("a.nes"), builder.Bytes())));
    QStringList outside{OutsideAtOpen};
    for (int stage = 0; stage < StageCount; ++stage)
        outside << QStringLiteral("ステージ ") + Hex2(stage) + QStringLiteral(": MapSet");
    QCOMPARE(fixture.Prompt.Messages, QStringList{outside.join(u'\n')});
    QCOMPARE(document.Stage(1).MapSet()[0], uint8_t{0});

    // Unedited, the tables outside stop nothing.
    QVERIFY(document.Stage(2).SetMapEntry(0, 0x05));
    fixture.Flags.SetEditFlag(EditArea::Map, 2, true);
    QVERIFY(document.UnsavableTables().empty());
    QCOMPARE(document.EditedImage().value().size(), CartridgeBuilder::ImageSize);

    // Edited, the save refuses and names them; nothing is encoded, written or forgotten.
    QVERIFY(document.Stage(1).SetMapSetEntry(0, 0x44));
    fixture.Flags.SetEditFlag(EditArea::MapSet, 1, true);
    QCOMPARE(document.UnsavableTables(), (std::vector<StageTableRef>{{1, StageTable::MapSet}}));
    QVERIFY(!document.EditedImage().has_value());
    const QByteArray buffer = fixture.ImageBytes(ImageBufferSize);
    const QString original = document.FilePath();
    const QString other = fixture.Path(QStringLiteral("b.nes"));
    QVERIFY(!document.Save(original));
    QVERIFY(!document.Save(other));
    const QString named = QStringLiteral("\nステージ 01: MapSet");
    QCOMPARE(fixture.Prompt.Messages.mid(1),
             (QStringList{OutsideForCopy + named, OutsideAtSave + named, OutsideAtSave + named}));
    QVERIFY(fixture.Prompt.Errors.isEmpty());
    QCOMPARE(ReadFile(original), builder.Bytes());
    QVERIFY(!QFile::exists(other));
    QCOMPARE(fixture.ImageBytes(ImageBufferSize), buffer);
    QCOMPARE(document.FilePath(), original);
    QVERIFY(fixture.Flags.EditFlag(EditArea::MapSet, 1));
    QVERIFY(fixture.Flags.EditFlag(EditArea::Map, 2));
    QVERIFY(document.Stage(1).CanUndo());
    QVERIFY(document.Stage(2).CanUndo());
    QCOMPARE(document.Stage(1).MapSet()[0], uint8_t{0x44});
}

void TestRomImage::undoFollowsTheCurrentStage() {
    Fixture fixture;
    const CartridgeBuilder builder;
    RomImageData &document = *fixture.Document;
    QVERIFY(document.Open(fixture.WriteImage(QStringLiteral("a.nes"), builder.Bytes())));
    QCOMPARE(document.Undo(), uint8_t{14});
    QCOMPARE(document.Redo(), uint8_t{14});

    document.SetCurrentStage(6);
    QVERIFY(document.CurrentStageData().SetPaletteAnimeEntry(2, 0x81));
    QVERIFY(document.CanUndo());
    QCOMPARE(document.UndoName(), QStringLiteral("パレットアニメの編集"));
    document.SetCurrentStage(7);
    QVERIFY(!document.CanUndo());
    document.SetCurrentStage(18);
    document.SetCurrentStage(-1);
    QCOMPARE(document.CurrentStage(), 7);
    document.SetCurrentStage(6);
    QCOMPARE(document.Undo(), uint8_t{11});
    QVERIFY(document.CanRedo());
    QCOMPARE(document.RedoName(), QStringLiteral("パレットアニメの編集"));
    QCOMPARE(document.Redo(), uint8_t{11});
    QCOMPARE(document.Stage(6).BGPaletteAnime(0)[2], uint8_t{0x81});

    document.SetUndoRecording(false);
    QVERIFY(!document.IsUndoRecording());
    QVERIFY(document.Stage(6).SetMapEntry(0, 0x2F));
    QVERIFY(document.Stage(6).CanUndo()); // the earlier step only
    QCOMPARE(document.Undo(), uint8_t{11});
    QVERIFY(!document.CanUndo());
    QCOMPARE(document.Stage(6).Map()[0], uint8_t{0x2F});

    document.ClearAllHistories();
    QVERIFY(!AnyHistory(document));
}

void TestRomImage::chrPageCountAndClose() {
    Fixture fixture;
    CartridgeBuilder builder;
    RomImageData &document = *fixture.Document;
    const QString path = fixture.WriteImage(QStringLiteral("a.nes"), builder.Bytes());
    QVERIFY(document.Open(path));
    QCOMPARE(document.ChrPageCount(), 128);
    builder.SetByte(5, 0xFF);
    QVERIFY(document.Open(fixture.WriteImage(QStringLiteral("b.nes"), builder.Bytes())));
    QCOMPARE(document.ChrPageCount(), 0xFF * 8);
    QCOMPARE(document.ChrBase(), 16 + 0x4000 * CartridgeBuilder::PrgUnits);
    // A trainer sits between the header and the PRG data.
    builder.SetByte(6, 0x04);
    QVERIFY(document.Open(fixture.WriteImage(QStringLiteral("b.nes"), builder.Bytes())));
    QCOMPARE(document.ChrBase(), 16 + 512 + 0x4000 * CartridgeBuilder::PrgUnits);

    document.SetCurrentStage(4);
    document.Close();
    QCOMPARE(document.CurrentStage(), 0);
    QCOMPARE(document.Size(), CartridgeBuilder::ImageSize);
    QCOMPARE(document.FilePath(), fixture.Path(QStringLiteral("b.nes")));
    QCOMPARE(fixture.ImageBytes(ImageBufferSize), QByteArray(ImageBufferSize, '\0'));
    QCOMPARE(document.ChrPageCount(), 0);
}

void TestRomImage::chipAttributeNames() {
    Fixture fixture;
    const RomImageData &document = *fixture.Document;
    QCOMPARE(document.ChipAttributeName(0xD4), QStringLiteral("Dx ダメージ床"));
    QCOMPARE(document.ChipAttributeName(0x60), QStringLiteral("6x 前景"));
    QCOMPARE(document.ChipAttributeName(0xF3), QStringLiteral("Fxトゲ"));
    QCOMPARE(document.ChipAttributeName(0x00), QStringLiteral("0x 背景"));

    // The list is borrowed: lines read after construction count.
    for (int line = 0; line < 20; ++line)
        fixture.AttributeNames << QStringLiteral("line %1").arg(line);
    QCOMPARE(document.ChipAttributeName(0x14), QStringLiteral("line 17"));
    QCOMPARE(document.ChipAttributeName(0x24), QStringLiteral("line 18"));
    QCOMPARE(document.ChipAttributeName(0x27), QStringLiteral("line 18"));
    QCOMPARE(document.ChipAttributeName(0x54), QStringLiteral("5x コンベア(右)"));
    QCOMPARE(document.ChipAttributeName(0x93), QStringLiteral("line 9"));
    QCOMPARE(document.ChipAttributeName(0xFC), QStringLiteral("Fxトゲ"));
}

QTEST_GUILESS_MAIN(TestRomImage)
#include "tst_romimage.moc"
