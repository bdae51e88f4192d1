// The file menu's patch commands, driven through the main window: which originals a patch
// may be made from, the format chosen by the file name, and a patch applied and opened as an
// image without a file.
#include "EditorSetup.h"
#include "TestFiles.h"
#include "edit_flag.h"
#include "fileio.h"
#include "patchformat.h"
#include "testplay.h"

#include <QAction>
#include <QFile>
#include <QTest>

class TestPatchCommands : public QObject {
    Q_OBJECT
private slots:
    void originalOfAnotherSizeIsRefusedUnread_data();
    void originalOfAnotherSizeIsRefusedUnread();
    void emptyPatchIsNotWritten();
    void patchFormatFollowsTheFileName_data();
    void patchFormatFollowsTheFileName();
    void failedWriteShowsOnlyTheError();
    void appliedPatchOpensTheEditedImageUnsaved_data();
    void appliedPatchOpensTheEditedImageUnsaved();
    void unfitPatchesLeaveTheDocument_data();
    void unfitPatchesLeaveTheDocument();
};

namespace {

// Opens a.nes (the synthetic cartridge) and edits a map entry of stage 0 and a map set cell
// of stage 3; returns a.nes's path.
QString OpenAndEdit(EditorSetup &setup, TMainForm &form) {
    const QString path = setup.WriteCartridge(QStringLiteral("a.nes"));
    form.OpenChosenFile(path);
    setup.Prompt.Messages.clear(); // the start-up's note on the missing object names
    StageData &stage0 = form.Document().Stage(0);
    stage0.SetMapEntry(3, stage0.Map()[3] ^ 1);
    form.Flags().SetEditFlag(EditArea::Map, 0, true);
    StageData &stage3 = form.Document().Stage(3);
    stage3.SetMapSetEntry(70, stage3.MapSet()[70] ^ 0x10);
    form.Flags().SetEditFlag(EditArea::MapSet, 3, true);
    return path;
}

QByteArray LiveImage(TMainForm &form) {
    return QByteArray(reinterpret_cast<const char *>(form.Document().Image().data()),
                      form.Document().Size());
}

} // namespace

void TestPatchCommands::originalOfAnotherSizeIsRefusedUnread_data() {
    QTest::addColumn<int>("sizeChange");
    QTest::addColumn<bool>("endless");
    QTest::newRow("one byte shorter") << -1 << false;
    QTest::newRow("one byte longer") << 1 << false;
    QTest::newRow("endless device") << 0 << true;
}

void TestPatchCommands::originalOfAnotherSizeIsRefusedUnread() {
    QFETCH(int, sizeChange);
    QFETCH(bool, endless);
    EditorSetup setup;
    const auto form = setup.Start();
    const QString opened = OpenAndEdit(setup, *form);
    QString original = QStringLiteral("/dev/zero");
    if (!endless) {
        original = setup.WorkFile(QStringLiteral("other.nes"));
        QByteArray bytes = ReadFile(opened);
        bytes.resize(bytes.size() + sizeChange, '\0');
        QVERIFY(WriteFile(original, bytes));
    }
    const QString patch = setup.WorkFile(QStringLiteral("never.bps"));
    setup.Prompt.FileNames = {original, patch};
    Child<QAction>(*form, "CreatePatch1")->trigger();
    QCOMPARE(setup.Prompt.FileQuestions.size(), 1);
    QCOMPARE(setup.Prompt.Messages.size(), 1);
    QVERIFY(setup.Prompt.Messages.last().contains(original));
    QVERIFY(!QFile::exists(patch));
}

void TestPatchCommands::emptyPatchIsNotWritten() {
    EditorSetup setup;
    const auto form = setup.Start();
    const QString opened = setup.WriteCartridge(QStringLiteral("a.nes"));
    form->OpenChosenFile(opened);
    setup.Prompt.Messages.clear();
    const QString patch = setup.WorkFile(QStringLiteral("never.bps"));
    setup.Prompt.FileNames = {opened, patch};
    Child<QAction>(*form, "CreatePatch1")->trigger();
    QCOMPARE(setup.Prompt.FileQuestions.size(), 1);
    QCOMPARE(setup.Prompt.Messages.size(), 1);
    QVERIFY(setup.Prompt.Messages.last().contains(opened));
    QVERIFY(!QFile::exists(patch));
}

void TestPatchCommands::patchFormatFollowsTheFileName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("header");
    QTest::newRow("bps") << QStringLiteral("hack.bps") << QByteArray("BPS1");
    QTest::newRow("ips") << QStringLiteral("hack.ips") << QByteArray("PATCH");
    QTest::newRow("ips in capitals") << QStringLiteral("HACK.IPS") << QByteArray("PATCH");
    QTest::newRow("any other name") << QStringLiteral("hack.patch") << QByteArray("BPS1");
}

void TestPatchCommands::patchFormatFollowsTheFileName() {
    QFETCH(QString, name);
    QFETCH(QByteArray, header);
    EditorSetup setup;
    const auto form = setup.Start();
    const QString opened = OpenAndEdit(setup, *form);
    const QByteArray original = ReadFile(opened);
    const QString patchPath = setup.WorkFile(name);
    setup.Prompt.FileNames = {opened, patchPath};
    Child<QAction>(*form, "CreatePatch1")->trigger();
    const QByteArray patch = ReadFile(patchPath);
    QVERIFY(patch.startsWith(header));
    QCOMPARE(setup.Prompt.Messages.size(), 1);
    QVERIFY(setup.Prompt.Messages.last().contains(QString::number(patch.size())));
    QVERIFY(setup.Prompt.Messages.last().contains(Crc32Text(Crc32(original))));
    const ByteResult applied = FormatOfPatch(patch)->Apply(original, patch);
    QVERIFY(applied.Ok());
    QCOMPARE(applied.Bytes, form->Document().EditedImage().value());
}

void TestPatchCommands::failedWriteShowsOnlyTheError() {
    EditorSetup setup;
    const auto form = setup.Start();
    const QString opened = OpenAndEdit(setup, *form);
    setup.Prompt.FileNames = {opened, setup.WorkFile(QStringLiteral("absent/hack.bps"))};
    Child<QAction>(*form, "CreatePatch1")->trigger();
    QCOMPARE(setup.Prompt.Errors.size(), 1);
    QVERIFY(setup.Prompt.Messages.isEmpty());
}

void TestPatchCommands::appliedPatchOpensTheEditedImageUnsaved_data() {
    QTest::addColumn<QString>("patchName");
    QTest::newRow("bps") << QStringLiteral("hack.bps");
    QTest::newRow("ips") << QStringLiteral("hack.ips");
}

void TestPatchCommands::appliedPatchOpensTheEditedImageUnsaved() {
    QFETCH(QString, patchName);
    EditorSetup setup;
    const auto form = setup.Start();
    const QString opened = OpenAndEdit(setup, *form);
    const QByteArray edited = form->Document().EditedImage().value();
    std::vector<std::vector<uint8_t>> editedTables;
    for (int stage = 0; stage < StageCount; ++stage) {
        const StageData &data = form->Document().Stage(stage);
        editedTables.emplace_back(data.Map().begin(), data.Map().end());
        editedTables.emplace_back(data.MapSet().begin(), data.MapSet().end());
    }
    const QString patch = setup.WorkFile(patchName);
    setup.Prompt.FileNames = {opened, patch};
    Child<QAction>(*form, "CreatePatch1")->trigger();

    // The edits are not saved: the question comes before the patched image replaces them.
    setup.Prompt.FileNames = {patch, opened};
    setup.Prompt.SaveAnswers = {SaveAnswer::No};
    Child<QAction>(*form, "ApplyPatch1")->trigger();
    QCOMPARE(setup.Prompt.Questions.size(), 1);
    QCOMPARE(LiveImage(*form), edited);
    std::vector<std::vector<uint8_t>> openedTables;
    for (int stage = 0; stage < StageCount; ++stage) {
        const StageData &data = form->Document().Stage(stage);
        openedTables.emplace_back(data.Map().begin(), data.Map().end());
        openedTables.emplace_back(data.MapSet().begin(), data.MapSet().end());
    }
    QVERIFY(openedTables == editedTables);
    QVERIFY(form->Document().FilePath().isEmpty());
    QVERIFY(form->windowTitle().contains(patchName));
    QVERIFY(form->Flags().IsModified());
    // Test play gives the emulator the image under a name of its own.
    const QString emulator = setup.WorkFile(QStringLiteral("emulator.sh"));
    const QString played = setup.WorkFile(QStringLiteral("played.nes"));
    QVERIFY(
        WriteFile(emulator, QStringLiteral("#!/bin/sh\ncp \"$1\" '%1'\n").arg(played).toUtf8()));
    QVERIFY(
        QFile::setPermissions(emulator, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    // Chosen from the emulators found on this machine, or with the file dialog without any.
    setup.Prompt.FileNames = {emulator};
    setup.Prompt.Programs = {emulator};
    form->findChild<TestPlay *>()->Run();
    QTRY_COMPARE(ReadFile(played), edited);
    setup.Prompt.FileNames = {};
    setup.Prompt.Programs = {};
    QVERIFY(setup.Prompt.Errors.isEmpty());

    // Closing asks; Save asks for a name and then writes there.
    setup.Prompt.SaveAnswers = {SaveAnswer::Cancel};
    Child<QAction>(*form, "Close1")->trigger();
    QCOMPARE(setup.Prompt.Questions.size(), 2);
    QVERIFY(setup.Prompt.Questions.last().contains(patchName));
    const QString saved = setup.WorkFile(QStringLiteral("continued.nes"));
    setup.Prompt.SaveFileNames = {saved};
    Child<QAction>(*form, "Save1")->trigger();
    QCOMPARE(setup.Prompt.SaveDialogs, 1);
    QCOMPARE(ReadFile(saved), edited);
    QCOMPARE(form->Document().FilePath(), saved);
    QVERIFY(!form->Flags().IsModified());
    QVERIFY(form->windowTitle().startsWith(saved));
}

void TestPatchCommands::unfitPatchesLeaveTheDocument_data() {
    QTest::addColumn<QString>("problem");
    QTest::newRow("for another image") << QStringLiteral("another");
    QTest::newRow("damaged") << QStringLiteral("damaged");
    QTest::newRow("not a patch") << QStringLiteral("none");
}

void TestPatchCommands::unfitPatchesLeaveTheDocument() {
    QFETCH(QString, problem);
    EditorSetup setup;
    const auto form = setup.Start();
    const QString opened = OpenAndEdit(setup, *form);
    CartridgeBuilder otherImage;
    otherImage.SetByte(0x100, static_cast<uint8_t>(otherImage.Byte(0x100) ^ 0xFF));
    const QString other = setup.WriteCartridge(QStringLiteral("b.nes"), otherImage);
    QString patch = setup.WorkFile(QStringLiteral("hack.bps"));
    setup.Prompt.FileNames = {opened, patch};
    Child<QAction>(*form, "CreatePatch1")->trigger();
    if (problem == u"damaged") {
        QByteArray bytes = ReadFile(patch);
        bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 1);
        QVERIFY(WriteFile(patch, bytes));
    } else if (problem == u"none") {
        patch = other;
    }
    const QByteArray liveBefore = LiveImage(*form);
    setup.Prompt.Messages.clear();
    setup.Prompt.FileNames = {patch, other};
    Child<QAction>(*form, "ApplyPatch1")->trigger();

    QCOMPARE(setup.Prompt.Messages.size(), 1);
    const QString message = setup.Prompt.Messages.last();
    QVERIFY(message.contains(problem == u"another" ? other : patch));
    if (problem == u"another") {
        QVERIFY(message.contains(Crc32Text(Crc32(ReadFile(opened)))));
        QVERIFY(message.contains(Crc32Text(Crc32(ReadFile(other)))));
    }
    QVERIFY(setup.Prompt.Questions.isEmpty());
    QCOMPARE(form->Document().FilePath(), opened);
    QCOMPARE(LiveImage(*form), liveBefore);
    QVERIFY(form->Flags().IsModified());
}

QTEST_MAIN(TestPatchCommands)
#include "tst_patchcommands.moc"
