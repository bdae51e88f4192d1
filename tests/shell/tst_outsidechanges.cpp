// Another program changing the open file: the question before a save, what each answer
// writes, and the offer to read the file again when the window becomes active.
#include "EditorSetup.h"
#include "TestFiles.h"
#include "edit_flag.h"
#include "fileio.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QTest>

namespace {

const int32_t OutsideEveryTable = 0x30;

int32_t MapOffset(int stage, int room) {
    return CartridgeBuilder::DefaultOffset(StageTable::Map, stage) + room;
}

// Writes the file as another program would, with a modification time of its own even
// within the same millisecond.
void OtherProgramWrites(const QString &path, const QByteArray &bytes) {
    QVERIFY(WriteFile(path, bytes));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(10),
                             QFileDevice::FileModificationTime));
}

void Activate(TMainForm &form) {
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&form, &activate);
    QCoreApplication::processEvents();
}

} // namespace

class TestOutsideChanges : public QObject {
    Q_OBJECT
private slots:
    void saveAfterAnotherProgramsChange_data();
    void saveAfterAnotherProgramsChange();
    void unchangedFileIsSavedWithoutAsking();
    void activationOffersToReloadAnUnmodifiedImage();
};

void TestOutsideChanges::saveAfterAnotherProgramsChange_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("keep both") << int(ChangedFileAnswer::KeepBoth);
    QTest::newRow("save as") << int(ChangedFileAnswer::SaveAs);
    QTest::newRow("cancel") << int(ChangedFileAnswer::Cancel);
}

void TestOutsideChanges::saveAfterAnotherProgramsChange() {
    QFETCH(int, answer);
    EditorSetup setup;
    const QString path = setup.WriteCartridge(QStringLiteral("a.nes"));
    const QByteArray opened = ReadFile(path);
    const auto form = setup.Start();
    form->OpenChosenFile(path);
    setup.Prompt.Messages.clear();

    QByteArray other = opened;
    other[OutsideEveryTable] = static_cast<char>(other[OutsideEveryTable] ^ 0x5A);
    OtherProgramWrites(path, other);
    QVERIFY(form->Document().Stage(1).SetMapEntry(4, uint8_t(opened[MapOffset(1, 4)] ^ 3)));
    form->Flags().SetEditFlag(EditArea::Map, 1, true);
    QByteArray edited = opened;
    edited[MapOffset(1, 4)] = static_cast<char>(opened[MapOffset(1, 4)] ^ 3);

    const QString otherPath = setup.WorkFile(QStringLiteral("b.nes"));
    setup.Prompt.ChangedFileAnswers = {ChangedFileAnswer(answer)};
    setup.Prompt.SaveFileNames = {otherPath};
    Child<QAction>(*form, "Save1")->trigger();
    QCOMPARE(setup.Prompt.Questions.size(), 1);
    QVERIFY(setup.Prompt.Questions[0].startsWith(path + QStringLiteral("は、")));
    QVERIFY(setup.Prompt.Messages.isEmpty());
    QVERIFY(setup.Prompt.Errors.isEmpty());

    QByteArray both = other;
    both[MapOffset(1, 4)] = edited[MapOffset(1, 4)];
    switch (ChangedFileAnswer(answer)) {
    case ChangedFileAnswer::KeepBoth:
        QVERIFY(ReadFile(path) == both);
        QVERIFY(!form->Flags().IsModified());
        QVERIFY(!form->Document().ChangedOnDisk(RomImageData::DiskLook::Thorough));
        break;
    case ChangedFileAnswer::SaveAs:
        QVERIFY(ReadFile(path) == other);
        QVERIFY(ReadFile(otherPath) == edited);
        QCOMPARE(form->Document().FilePath(), otherPath);
        QVERIFY(!form->Flags().IsModified());
        break;
    case ChangedFileAnswer::Cancel:
        QVERIFY(ReadFile(path) == other);
        QVERIFY(!QFile::exists(otherPath));
        QVERIFY(form->Flags().IsModified());
        QVERIFY(form->Document().Stage(1).CanUndo());
        break;
    }
    setup.Prompt.SaveAnswers = {SaveAnswer::No};
    form->close();
}

void TestOutsideChanges::unchangedFileIsSavedWithoutAsking() {
    EditorSetup setup;
    const QString path = setup.WriteCartridge(QStringLiteral("a.nes"));
    const auto form = setup.Start();
    form->OpenChosenFile(path);
    // Rewritten with the very same bytes: not a change.
    OtherProgramWrites(path, ReadFile(path));
    QVERIFY(form->Document().Stage(0).SetMapEntry(0, 0x1D));
    form->Flags().SetEditFlag(EditArea::Map, 0, true);
    Child<QAction>(*form, "Save1")->trigger();
    QVERIFY(setup.Prompt.Questions.isEmpty());
    QCOMPARE(uint8_t(ReadFile(path)[MapOffset(0, 0)]), uint8_t{0x1D});
    QVERIFY(!form->Flags().IsModified());
}

void TestOutsideChanges::activationOffersToReloadAnUnmodifiedImage() {
    EditorSetup setup;
    const QString path = setup.WriteCartridge(QStringLiteral("a.nes"));
    const auto form = setup.Start();
    form->OpenChosenFile(path);
    Activate(*form);
    QVERIFY(setup.Prompt.Questions.isEmpty());

    // Unmodified: the offer; Yes reads the other program's bytes.
    QByteArray other = ReadFile(path);
    other[MapOffset(0, 2)] = static_cast<char>(other[MapOffset(0, 2)] ^ 1);
    OtherProgramWrites(path, other);
    setup.Prompt.YesNoAnswers = {true};
    Activate(*form);
    QCOMPARE(setup.Prompt.Questions,
             QStringList{path + QStringLiteral("は他のプログラムで変更されました。"
                                               "読み込み直しますか？")});
    QCOMPARE(form->Document().Stage(0).Map()[2], uint8_t(other[MapOffset(0, 2)]));
    Activate(*form);
    QCOMPARE(setup.Prompt.Questions.size(), 1);

    // No: not asked again for the same change, but a save still finds it.
    other[OutsideEveryTable] = static_cast<char>(other[OutsideEveryTable] ^ 1);
    OtherProgramWrites(path, other);
    setup.Prompt.YesNoAnswers = {false};
    Activate(*form);
    Activate(*form);
    QCOMPARE(setup.Prompt.Questions.size(), 2);
    QVERIFY(form->Document().Stage(0).SetMapEntry(0, 0x1D));
    form->Flags().SetEditFlag(EditArea::Map, 0, true);

    // Modified here: nothing is said at activation, only at Save.
    other[OutsideEveryTable + 1] = static_cast<char>(other[OutsideEveryTable + 1] ^ 1);
    OtherProgramWrites(path, other);
    Activate(*form);
    QCOMPARE(setup.Prompt.Questions.size(), 2);
    setup.Prompt.ChangedFileAnswers = {ChangedFileAnswer::Cancel};
    Child<QAction>(*form, "Save1")->trigger();
    QCOMPARE(setup.Prompt.Questions.size(), 3);
    setup.Prompt.SaveAnswers = {SaveAnswer::No};
    form->close();
}

QTEST_MAIN(TestOutsideChanges)
#include "tst_outsidechanges.moc"
