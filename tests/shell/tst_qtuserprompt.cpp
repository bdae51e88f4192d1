// The Qt prompt: captions, buttons and answers of its boxes, and its file dialogs.
#include "QtUserPrompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

const QString Caption = QStringLiteral("QUARTEX 3 EDITOR");

// Runs `answer` on the modal dialog as soon as it is up; `answer` must close it.
void WhenModalShows(std::function<void(QWidget *)> answer) {
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start(10);
}

void ClickButton(QWidget *dialog, QMessageBox::StandardButton which) {
    auto *box = qobject_cast<QMessageBox *>(dialog);
    QVERIFY(box);
    box->button(which)->click();
}

} // namespace

class TestQtUserPrompt : public QObject {
    Q_OBJECT
private slots:
    void messageBox();
    void saveConfirmation_data();
    void saveConfirmation();
    void yesNoQuestion();
    void openDialog();
    void saveDialog();
    void inputBox();
};

void TestQtUserPrompt::messageBox() {
    QtUserPrompt prompt(Caption);
    QString title, text;
    QMessageBox::StandardButtons buttons;
    WhenModalShows([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        title = box->windowTitle();
        text = box->text();
        buttons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
    prompt.ShowMessage(QStringLiteral("ファイルを開けませんでした"));
    QCOMPARE(title, Caption);
    QCOMPARE(text, QStringLiteral("ファイルを開けませんでした"));
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModalShows([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        icon = box->icon();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    prompt.ShowError(QStringLiteral("Permission denied"));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(text, QStringLiteral("Permission denied"));
}

void TestQtUserPrompt::saveConfirmation_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes") << int(QMessageBox::Yes) << int(SaveAnswer::Yes);
    QTest::newRow("No") << int(QMessageBox::No) << int(SaveAnswer::No);
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << int(SaveAnswer::Cancel);
}

void TestQtUserPrompt::saveConfirmation() {
    QFETCH(int, button);
    QtUserPrompt prompt(Caption);
    QMessageBox::Icon icon = QMessageBox::Warning;
    QString title;
    WhenModalShows([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        icon = box->icon();
        title = box->windowTitle();
        QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        ClickButton(dialog, QMessageBox::StandardButton(button));
    });
    const SaveAnswer answer = prompt.ConfirmSave(QStringLiteral("a.nesへの変更を保存しますか？"));
    QTEST(int(answer), "answer");
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(title, Caption);

    // Escape is Cancel.
    WhenModalShows([](QWidget *dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    QCOMPARE(prompt.ConfirmSave(QStringLiteral("?")), SaveAnswer::Cancel);
}

void TestQtUserPrompt::yesNoQuestion() {
    QtUserPrompt prompt(Caption);
    WhenModalShows([](QWidget *dialog) { ClickButton(dialog, QMessageBox::Yes); });
    QVERIFY(prompt.ConfirmYesNo(QStringLiteral("よろしいですか？")));
    WhenModalShows([](QWidget *dialog) { ClickButton(dialog, QMessageBox::No); });
    QVERIFY(!prompt.ConfirmYesNo(QStringLiteral("よろしいですか？")));
}

void TestQtUserPrompt::openDialog() {
    QtUserPrompt prompt(Caption);
    QString name;
    QStringList filters;
    WhenModalShows([&](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        QVERIFY(dialog);
        name = dialog->objectName();
        filters = dialog->nameFilters();
        dialog->reject();
    });
    QVERIFY(!prompt.AskOpenFileName().has_value());
    QCOMPARE(name, QStringLiteral("OpenDialog1"));
    QCOMPARE(filters, (QStringList{QStringLiteral("QUARTEX3 ROMイメージ (*.nes)"),
                                   QStringLiteral("すべてのファイル (*.*)")}));
}

void TestQtUserPrompt::saveDialog() {
    QTemporaryDir dir;
    QtUserPrompt prompt(Caption);
    QString name;
    QStringList filters;
    bool confirmsOverwrite = false;
    WhenModalShows([&](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        QVERIFY(dialog);
        name = dialog->objectName();
        filters = dialog->nameFilters();
        confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->setDirectory(dir.path());
        dialog->selectFile(QStringLiteral("stage"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const std::optional<QString> path = prompt.AskSaveFileName();
    QCOMPARE(name, QStringLiteral("SaveDialog1"));
    QCOMPARE(filters, QStringList{QStringLiteral("QUARTEX3 ROMイメージ (*.nes)")});
    QVERIFY(confirmsOverwrite);
    QCOMPARE(path, std::optional<QString>(dir.filePath(QStringLiteral("stage.nes"))));
}

void TestQtUserPrompt::inputBox() {
    QtUserPrompt prompt(Caption);
    QString title, label;
    WhenModalShows([&](QWidget *widget) {
        auto *dialog = qobject_cast<QInputDialog *>(widget);
        QVERIFY(dialog);
        title = dialog->windowTitle();
        label = dialog->labelText();
        dialog->setTextValue(QStringLiteral("3F"));
        dialog->accept();
    });
    QCOMPARE(prompt.AskText(QStringLiteral("塗りつぶし"), QStringLiteral("番号:")),
             std::optional<QString>(QStringLiteral("3F")));
    QCOMPARE(title, QStringLiteral("塗りつぶし"));
    QCOMPARE(label, QStringLiteral("番号:"));

    WhenModalShows([](QWidget *widget) { qobject_cast<QInputDialog *>(widget)->reject(); });
    QVERIFY(!prompt.AskText(QStringLiteral("a"), QStringLiteral("b")).has_value());
}

QTEST_MAIN(TestQtUserPrompt)
#include "tst_qtuserprompt.moc"
