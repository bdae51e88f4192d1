// The Qt prompt: captions, buttons and answers of its boxes, and its file dialogs.
#include "ModalAnswer.h"
#include "QtUserPrompt.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString Caption = QStringLiteral("QUARTEX 3 EDITOR");

// The file types the user can choose from, as the dialog shows them.
QStringList FileTypeTexts(const QFileDialog &dialog) {
    QStringList texts;
    if (const auto *types = dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo")))
        for (int i = 0; i < types->count(); ++i)
            texts << types->itemText(i);
    return texts;
}

// The names the dialog lists in `directory` once it has read it.
QStringList ListedFiles(const QFileDialog &dialog, const QString &directory, int expected) {
    const auto *files = dialog.findChild<QFileSystemModel *>();
    QStringList names;
    // A listing that never comes shows in the caller's comparison.
    static_cast<void>(QTest::qWaitFor([&] {
        names.clear();
        const QModelIndex root = files->index(directory);
        for (int row = 0; row < files->rowCount(root); ++row)
            names << files->index(row, 0, root).data().toString();
        return names.size() == expected;
    }));
    names.sort();
    return names;
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
    void otherFileDialogs();
    void typedNameGetsTheChosenTypesSuffix_data();
    void typedNameGetsTheChosenTypesSuffix();
    void changedFileQuestion_data();
    void changedFileQuestion();
    void inputBox();
    void programChoice_data();
    void programChoice();
};

void TestQtUserPrompt::messageBox() {
    QtUserPrompt prompt(Caption);
    QString title, text;
    QMessageBox::StandardButtons buttons;
    Qt::TextFormat format = Qt::AutoText;
    WhenModalShows([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        title = box->windowTitle();
        text = box->text();
        buttons = box->standardButtons();
        format = box->textFormat();
        box->button(QMessageBox::Ok)->click();
    });
    prompt.ShowMessage(QStringLiteral("ファイルを開けませんでした"));
    QCOMPARE(title, Caption);
    QCOMPARE(text, QStringLiteral("ファイルを開けませんでした"));
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    // A path is shown character for character, never as markup.
    QCOMPARE(format, Qt::PlainText);

    QMessageBox::Icon icon = QMessageBox::NoIcon;
    format = Qt::AutoText;
    WhenModalShows([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        icon = box->icon();
        text = box->text();
        format = box->textFormat();
        box->button(QMessageBox::Ok)->click();
    });
    prompt.ShowError(QStringLiteral("Permission denied"));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(text, QStringLiteral("Permission denied"));
    QCOMPARE(format, Qt::PlainText);
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
    Qt::TextFormat format = Qt::AutoText;
    WhenModalShows([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        icon = box->icon();
        title = box->windowTitle();
        format = box->textFormat();
        QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        ClickButton(dialog, QMessageBox::StandardButton(button));
    });
    const SaveAnswer answer = prompt.ConfirmSave(QStringLiteral("a.nesへの変更を保存しますか？"));
    QTEST(int(answer), "answer");
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(title, Caption);
    QCOMPARE(format, Qt::PlainText);

    // Escape is Cancel.
    WhenModalShows([](QWidget *dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    QCOMPARE(prompt.ConfirmSave(QStringLiteral("?")), SaveAnswer::Cancel);
}

void TestQtUserPrompt::yesNoQuestion() {
    QtUserPrompt prompt(Caption);
    Qt::TextFormat format = Qt::AutoText;
    WhenModalShows([&format](QWidget *dialog) {
        format = qobject_cast<QMessageBox *>(dialog)->textFormat();
        ClickButton(dialog, QMessageBox::Yes);
    });
    QVERIFY(prompt.ConfirmYesNo(QStringLiteral("よろしいですか？")));
    QCOMPARE(format, Qt::PlainText);
    WhenModalShows([](QWidget *dialog) { ClickButton(dialog, QMessageBox::No); });
    QVERIFY(!prompt.ConfirmYesNo(QStringLiteral("よろしいですか？")));
}

void TestQtUserPrompt::openDialog() {
    QTemporaryDir dir;
    for (const QString &file : {QStringLiteral("a.nes"), QStringLiteral("rom")}) {
        QFile create(dir.filePath(file));
        QVERIFY(create.open(QIODevice::WriteOnly));
    }
    QtUserPrompt prompt(Caption);
    QString name;
    QStringList filters;
    QStringList romImages, allFiles;
    QString startFolder;
    WhenModalShows([&](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        QVERIFY(dialog);
        name = dialog->objectName();
        startFolder = dialog->directory().absolutePath();
        filters = FileTypeTexts(*dialog);
        romImages = ListedFiles(*dialog, dir.path(), 1);
        dialog->selectNameFilter(dialog->nameFilters().constLast());
        allFiles = ListedFiles(*dialog, dir.path(), 2);
        dialog->reject();
    });
    QVERIFY(!prompt.AskOpenFileName(dir.path()).has_value());
    QCOMPARE(name, QStringLiteral("OpenDialog1"));
    QCOMPARE(startFolder, QDir(dir.path()).absolutePath());
    QCOMPARE(filters, (QStringList{QStringLiteral("QUARTEX3 ROMイメージ (*.nes)"),
                                   QStringLiteral("すべてのファイル (*.*)")}));
    // The all-files choice lists files without an extension too.
    QCOMPARE(romImages, QStringList{QStringLiteral("a.nes")});
    QCOMPARE(allFiles, (QStringList{QStringLiteral("a.nes"), QStringLiteral("rom")}));
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
        filters = FileTypeTexts(*dialog);
        confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->selectFile(QStringLiteral("stage"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const std::optional<QString> path = prompt.AskSaveFileName(dir.path());
    QCOMPARE(name, QStringLiteral("SaveDialog1"));
    QCOMPARE(filters, QStringList{QStringLiteral("QUARTEX3 ROMイメージ (*.nes)")});
    QVERIFY(confirmsOverwrite);
    QCOMPARE(path, std::optional<QString>(dir.filePath(QStringLiteral("stage.nes"))));
}

void TestQtUserPrompt::otherFileDialogs() {
    QTemporaryDir dir;
    QtUserPrompt prompt(Caption);
    QString title;
    QStringList filters;
    bool saves = false;
    WhenModalShows([&](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        QVERIFY(dialog);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        saves = dialog->acceptMode() == QFileDialog::AcceptSave;
        dialog->setDirectory(dir.path());
        dialog->selectFile(QStringLiteral("room.png"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const QString filter = QStringLiteral("PNG (*.png);;BMP (*.bmp)");
    const std::optional<QString> path =
        prompt.AskFileName(FileAccess::Save, QStringLiteral("画像"), filter);
    QCOMPARE(path, std::optional<QString>(dir.filePath(QStringLiteral("room.png"))));
    QCOMPARE(title, QStringLiteral("画像"));
    QCOMPARE(filters, (QStringList{QStringLiteral("PNG (*.png)"), QStringLiteral("BMP (*.bmp)")}));
    QVERIFY(saves);

    WhenModalShows([&](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        saves = dialog->acceptMode() == QFileDialog::AcceptSave;
        dialog->reject();
    });
    QVERIFY(!prompt.AskFileName(FileAccess::Open, QStringLiteral("a"), filter).has_value());
    QVERIFY(!saves);
}

void TestQtUserPrompt::typedNameGetsTheChosenTypesSuffix_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("first type") << 0 << QStringLiteral("hack") << QStringLiteral("hack.bps");
    QTest::newRow("second type chosen")
        << 1 << QStringLiteral("hack") << QStringLiteral("hack.ips");
    QTest::newRow("own extension kept")
        << 1 << QStringLiteral("hack.bin") << QStringLiteral("hack.bin");
    QTest::newRow("all files") << 2 << QStringLiteral("hack") << QStringLiteral("hack");
}

void TestQtUserPrompt::typedNameGetsTheChosenTypesSuffix() {
    QFETCH(int, type);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QTemporaryDir dir;
    QtUserPrompt prompt(Caption);
    WhenModalShows([&](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        QVERIFY(dialog);
        dialog->setDirectory(dir.path());
        // As the user picks a type: with the arrow keys on the dialog's own list.
        auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types);
        for (int step = 0; step < type; ++step)
            QTest::keyClick(types, Qt::Key_Down);
        QCOMPARE(types->currentIndex(), type);
        dialog->selectFile(typed);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const std::optional<QString> path =
        prompt.AskFileName(FileAccess::Save, QStringLiteral("パッチ"),
                           QStringLiteral("BPS (*.bps);;IPS (*.ips);;すべて (*)"));
    QCOMPARE(path, std::optional<QString>(dir.filePath(written)));
}

void TestQtUserPrompt::changedFileQuestion_data() {
    QTest::addColumn<QString>("button"); // empty: the Escape key
    QTest::addColumn<int>("answer");
    QTest::newRow("keep both") << QStringLiteral("両方を残す") << int(ChangedFileAnswer::KeepBoth);
    QTest::newRow("save as") << QStringLiteral("名前を付けて保存...")
                             << int(ChangedFileAnswer::SaveAs);
    QTest::newRow("Escape") << QString() << int(ChangedFileAnswer::Cancel);
}

void TestQtUserPrompt::changedFileQuestion() {
    QFETCH(QString, button);
    QtUserPrompt prompt(Caption);
    int buttons = 0;
    QString defaultButton;
    WhenModalShows([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), Caption);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        buttons = int(box->buttons().size());
        defaultButton = box->defaultButton()->text();
        if (button.isEmpty())
            QTest::keyClick(dialog, Qt::Key_Escape);
        for (QAbstractButton *each : box->buttons())
            if (each->text() == button)
                each->click();
    });
    QTEST(int(prompt.AskChangedFile(QStringLiteral("a.nes"))), "answer");
    QCOMPARE(buttons, 3);
    QCOMPARE(defaultButton, QStringLiteral("両方を残す"));
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

void TestQtUserPrompt::programChoice_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("chosen"); // empty: nothing chosen
    QTest::newRow("Return takes the first")
        << QList<int>{Qt::Key_Return} << QStringLiteral("fceux");
    QTest::newRow("another one") << QList<int>{Qt::Key_Down, Qt::Key_Return}
                                 << QStringLiteral("/usr/games/nestopia");
    QTest::newRow("Escape") << QList<int>{Qt::Key_Escape} << QString();
}

void TestQtUserPrompt::programChoice() {
    QFETCH(QList<int>, keys);
    QFETCH(QString, chosen);
    QtUserPrompt prompt(Caption);
    QString title;
    WhenModalShows([&](QWidget *dialog) {
        title = dialog->windowTitle();
        // The keys go where the dialog has put its focus.
        QWidget *focused = dialog->focusWidget() ? dialog->focusWidget() : dialog;
        for (const int key : keys)
            QTest::keyClick(focused, static_cast<Qt::Key>(key));
    });
    QCOMPARE(prompt
                 .AskProgram(QStringLiteral("エミュレータの選択"),
                             {QStringLiteral("fceux"), QStringLiteral("/usr/games/nestopia")})
                 .value_or(QString()),
             chosen);
    QCOMPARE(title, QStringLiteral("エミュレータの選択"));
}

QTEST_MAIN(TestQtUserPrompt)
#include "tst_qtuserprompt.moc"
