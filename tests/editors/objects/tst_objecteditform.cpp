#include "objects/ObjectEditForm.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(std::optional<ObjectLine>)

class TestObjectEditForm : public QObject {
    Q_OBJECT
private slots:
    void parseObjectLine_data();
    void parseObjectLine();
    void formatAndSplit();
    void dialogShowsRoomAndReturnsText();
};

void TestObjectEditForm::parseObjectLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<std::optional<ObjectLine>>("expected");
    const std::optional<ObjectLine> none;
    QTest::newRow("three bytes") << QStringLiteral("10 20 05")
                                 << std::optional(ObjectLine{0x10, 0x20, 5});
    QTest::newRow("lower case, tabs, runs of blanks")
        << QStringLiteral("\t a0 \t\tb 3f ") << std::optional(ObjectLine{0xA0, 0x0B, 0x3F});
    QTest::newRow("only the low byte counts")
        << QStringLiteral("1FF 0000000120 FFFFFFFF") << std::optional(ObjectLine{0xFF, 0x20, 0xFF});
    QTest::newRow("rest of the line ignored")
        << QStringLiteral("01 02 03 zz and more") << std::optional(ObjectLine{1, 2, 3});
    QTest::newRow("two pieces") << QStringLiteral("30 40") << none;
    QTest::newRow("bad first piece") << QStringLiteral("zz 00 01") << none;
    QTest::newRow("bad third piece") << QStringLiteral("00 01 0g") << none;
    QTest::newRow("past 32 bits") << QStringLiteral("100000000 00 00") << none;
    QTest::newRow("sign") << QStringLiteral("-1 00 00") << none;
    QTest::newRow("dollar prefix") << QStringLiteral("$10 00 00") << none;
    QTest::newRow("full-width space is no separator") << QStringLiteral("10　20 30") << none;
    QTest::newRow("empty") << QString() << none;
}

void TestObjectEditForm::parseObjectLine() {
    QFETCH(QString, line);
    QFETCH(std::optional<ObjectLine>, expected);
    QCOMPARE(ParseObjectLine(line), expected);
}

void TestObjectEditForm::formatAndSplit() {
    QCOMPARE(FormatObjectLine(0x0A, 255, 0x1B), QStringLiteral("0A FF 1B\r\n"));
    QCOMPARE(FormatObjectLine(0, 0, 0), QStringLiteral("00 00 00\r\n"));
    // What is written reads back the same.
    QCOMPARE(ParseObjectLine(SplitObjectLines(FormatObjectLine(0xC3, 0x07, 0x80)).first()),
             std::optional(ObjectLine{0xC3, 7, 0x80}));

    QCOMPARE(SplitObjectLines(QStringLiteral("a\r\nb\nc\rd")),
             QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                          QStringLiteral("d")}));
    QCOMPARE(SplitObjectLines(QStringLiteral("00 00 00\r\n")),
             QStringList({QStringLiteral("00 00 00"), QString()}));
    QCOMPARE(ObjectEditCaption(0x2F), QStringLiteral("部屋番号2Fのオブジェクトの編集"));
}

void TestObjectEditForm::dialogShowsRoomAndReturnsText() {
    TObjectEditForm form;
    QCOMPARE(form.size(), QSize(268, 301));
    QCOMPARE(form.windowTitle(), QStringLiteral("部屋番号XXのオブジェクトの編集"));
    QCOMPARE(form.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
             QStringLiteral("\"X座標 Y座標 種類\"を1列に記述して下さい"));
    auto *memo = form.findChild<QPlainTextEdit *>(QStringLiteral("MemoObjectEdit"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("00 00 00"));
    QCOMPARE(memo->size(), QSize(241, 201));
    QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("BtnCancel"))->text(),
             QStringLiteral("キャンセル"));

    QString caption;
    QString shown;
    const auto answer = [&](const QString &typed, const char *button) {
        QTimer::singleShot(0, [&, typed, button] {
            caption = form.windowTitle();
            shown = memo->toPlainText();
            memo->setPlainText(typed);
            QTest::mouseClick(form.findChild<QPushButton *>(QString::fromLatin1(button)),
                              Qt::LeftButton);
        });
    };

    answer(QStringLiteral("01 02 03\n04 05 06"), "BtnOK");
    QCOMPARE(form.EditRoomObjects(0x0B, QStringLiteral("10 20 30\r\n40 50 60\r\n")),
             std::optional(QStringLiteral("01 02 03\n04 05 06")));
    QCOMPARE(caption, QStringLiteral("部屋番号0Bのオブジェクトの編集"));
    QCOMPARE(shown, QStringLiteral("10 20 30\n40 50 60\n"));

    answer(QStringLiteral("ignored"), "BtnCancel");
    QVERIFY(!form.EditRoomObjects(0, QString()));
    QCOMPARE(shown, QString());
}

QTEST_MAIN(TestObjectEditForm)
#include "tst_objecteditform.moc"
