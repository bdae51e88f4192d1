#include "NamedChild.h"
#include "ScriptedPrompt.h"
#include "chipusage/showUnusedChipNumForm.h"
#include "common/LazyDialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

/// What the dialog showed while it ran modally.
struct Shown {
    bool Ran = false;
    QString Caption;
    QString Heading;
    QString List;
    bool OkVisible = false;
};

const QString ReplacementHeading =
    QStringLiteral("マップセット内のチップ番号を以下のように置換します");

class DialogBench {
public:
    ScriptedPrompt Prompt;
    TShowUnusedChipNumForm Dialog{Prompt};

    template <typename T> T *Find(const QString &name) { return NamedChild<T>(&Dialog, name); }
    QPushButton *OkButton() { return Find<QPushButton>(QStringLiteral("BtnReplaceMapSetChips")); }
    QPushButton *CancelButton() { return Find<QPushButton>(QStringLiteral("BtnCancel")); }

    /// Records the dialog once it runs modally, then clicks `closer` to end it.
    void WhenModal(Shown &shown, const QString &closer) {
        QTimer::singleShot(0, &Dialog, [this, &shown, closer] {
            shown.Ran = Dialog.isVisible() && Dialog.isModal();
            shown.Caption = Dialog.windowTitle();
            shown.Heading = Find<QLabel>(QStringLiteral("LblMessage"))->text();
            shown.List = Find<QPlainTextEdit>(QStringLiteral("MemoUnusedChipNum"))->toPlainText();
            shown.OkVisible = OkButton()->isVisible();
            QTest::mouseClick(Find<QPushButton>(closer), Qt::LeftButton);
        });
    }
};

} // namespace

class TestShowUnusedChipNumForm : public QObject {
    Q_OBJECT

private slots:
    void designValues();
    void reportShowsOnlyCancel();
    void replacementOffer();
    void emptyOfferShowsMessageOnly();
    void pagesShareOneDialogMadeWhenFirstUsed();
};

void TestShowUnusedChipNumForm::designValues() {
    DialogBench bench;
    QCOMPARE(bench.Dialog.objectName(), QStringLiteral("ShowUnusedChipNumForm"));
    QCOMPARE(bench.Dialog.size(), QSize(339, 298));
    QCOMPARE(bench.Dialog.windowTitle(), QStringLiteral("未使用チップ番号"));
    QCOMPARE(bench.Find<QLabel>(QStringLiteral("LblMessage"))->text(),
             QStringLiteral("未使用チップ番号は"));
    auto *memo = bench.Find<QPlainTextEdit>(QStringLiteral("MemoUnusedChipNum"));
    QCOMPARE(memo->size(), QSize(321, 225));
    QCOMPARE(memo->font().family(), QStringLiteral("ＭＳ ゴシック"));
    QCOMPARE(memo->font().pixelSize(), 12);
    QVERIFY(!memo->isReadOnly());
    QCOMPARE(bench.OkButton()->text(), QStringLiteral("OK"));
    QVERIFY(bench.OkButton()->isHidden());
    QCOMPARE(bench.CancelButton()->text(), QStringLiteral("キャンセル"));
}

void TestShowUnusedChipNumForm::reportShowsOnlyCancel() {
    DialogBench bench;
    Shown shown;
    const QString list = QStringLiteral("00 01 \r\n35 \r\n");
    bench.WhenModal(shown, QStringLiteral("BtnCancel"));
    bench.Dialog.ShowReport(QStringLiteral("未使用タイル番号"),
                            QStringLiteral("16x16チップに使用されてないタイル番号は"), list);
    QVERIFY(shown.Ran);
    QCOMPARE(shown.Caption, QStringLiteral("未使用タイル番号"));
    QCOMPARE(shown.Heading, QStringLiteral("16x16チップに使用されてないタイル番号は"));
    QCOMPARE(shown.List, QStringLiteral("00 01 \n35 \n"));
    QVERIFY(!shown.OkVisible);
    QCOMPARE(bench.Dialog.result(), int(QDialog::Rejected));
    // The window keeps what it showed for the next use.
    QCOMPARE(bench.Dialog.windowTitle(), QStringLiteral("未使用タイル番号"));
    QVERIFY(bench.Prompt.Messages.isEmpty());

    // An empty list is shown as an empty memo.
    bench.WhenModal(shown, QStringLiteral("BtnCancel"));
    bench.Dialog.ShowReport(QStringLiteral("未使用32x32チップ番号"),
                            QStringLiteral("マップセットに使用されてない32x32チップ番号は"),
                            QString());
    QCOMPARE(shown.List, QString());
    QCOMPARE(shown.Caption, QStringLiteral("未使用32x32チップ番号"));
}

void TestShowUnusedChipNumForm::replacementOffer() {
    DialogBench bench;
    int replacements = 0;
    const auto replace = [&replacements] {
        ++replacements;
        return 7;
    };
    const QString preview = QStringLiteral("05 <- 0A 1B \r\n");

    // Never shown a report: the start-up caption stays. Cancel changes nothing.
    Shown shown;
    bench.WhenModal(shown, QStringLiteral("BtnCancel"));
    bench.Dialog.OfferReplacement(preview, replace);
    QVERIFY(shown.Ran);
    QCOMPARE(shown.Caption, QStringLiteral("未使用チップ番号"));
    QCOMPARE(shown.Heading, ReplacementHeading);
    QCOMPARE(shown.List, QStringLiteral("05 <- 0A 1B \n"));
    QVERIFY(shown.OkVisible);
    QCOMPARE(replacements, 0);
    QVERIFY(bench.Prompt.Messages.isEmpty());
    QVERIFY(bench.OkButton()->isHidden());

    // After the duplicate report the offer keeps its caption; OK replaces and reports.
    bench.WhenModal(shown, QStringLiteral("BtnCancel"));
    bench.Dialog.ShowReport(QStringLiteral("重複チップの置換"),
                            QStringLiteral("重複定義されている32x32チップ番号は"),
                            QStringLiteral("05 0A 1B \r\n"));
    QVERIFY(!shown.OkVisible);
    bench.WhenModal(shown, QStringLiteral("BtnReplaceMapSetChips"));
    bench.Dialog.OfferReplacement(preview, replace);
    QCOMPARE(shown.Caption, QStringLiteral("重複チップの置換"));
    QVERIFY(shown.OkVisible);
    QCOMPARE(replacements, 1);
    QCOMPARE(bench.Prompt.Messages, QStringList{QStringLiteral("7個のチップを置換しました")});
    QCOMPARE(bench.Dialog.result(), int(QDialog::Accepted));
    QVERIFY(bench.OkButton()->isHidden());

    // A report after the offer shows no OK button.
    bench.WhenModal(shown, QStringLiteral("BtnCancel"));
    bench.Dialog.ShowReport(QStringLiteral("未使用16x16チップ番号"),
                            QStringLiteral("32x32チップに使用されてない16x16チップ番号は"),
                            QString());
    QVERIFY(!shown.OkVisible);
}

void TestShowUnusedChipNumForm::emptyOfferShowsMessageOnly() {
    DialogBench bench;
    bool replaced = false;
    bench.Dialog.OfferReplacement(QString(), [&replaced] {
        replaced = true;
        return 0;
    });
    QVERIFY(!replaced);
    QVERIFY(!bench.Dialog.isVisible());
    QCOMPARE(bench.Prompt.Messages, QStringList{QStringLiteral("置換対象チップはありません。")});
    QCOMPARE(bench.Find<QLabel>(QStringLiteral("LblMessage"))->text(),
             QStringLiteral("未使用チップ番号は"));
    QVERIFY(bench.OkButton()->isHidden());
}

// Three pages hold copies of the report window; the first one to use it makes it.
void TestShowUnusedChipNumForm::pagesShareOneDialogMadeWhenFirstUsed() {
    ScriptedPrompt prompt;
    QWidget window;
    int made = 0;
    const LazyDialog<TShowUnusedChipNumForm> held(std::function([&] {
        ++made;
        return new TShowUnusedChipNumForm(prompt, &window);
    }));
    const LazyDialog<TShowUnusedChipNumForm> copies[] = {held, held};
    QCOMPARE(made, 0);
    TShowUnusedChipNumForm *dialog = copies[1].Get();
    QVERIFY(dialog);
    QCOMPARE(copies[0].Get(), dialog);
    QCOMPARE(held->parent(), &window);
    QCOMPARE(made, 1);
}

QTEST_MAIN(TestShowUnusedChipNumForm)
#include "tst_showunusedchipnumform.moc"
