#include "showUnusedChipNumForm.h"

#include "UserPrompt.h"
#include "memo.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

TShowUnusedChipNumForm::TShowUnusedChipNumForm(UserPrompt &prompt, QWidget *parent)
    : QDialog(parent), Prompt(prompt) {
    setObjectName(QStringLiteral("ShowUnusedChipNumForm"));
    setWindowTitle(tr("未使用チップ番号"));
    setFixedSize(339, 298);

    LblMessage = new QLabel(tr("未使用チップ番号は"), this);
    LblMessage->setObjectName(QStringLiteral("LblMessage"));
    LblMessage->setGeometry(8, 8, 321, 17);

    MemoUnusedChipNum = new TMemo(this);
    MemoUnusedChipNum->setObjectName(QStringLiteral("MemoUnusedChipNum"));
    MemoUnusedChipNum->setGeometry(8, 32, 321, 225);
    QFont memoFont(QStringLiteral("ＭＳ ゴシック"));
    memoFont.setPixelSize(12);
    MemoUnusedChipNum->setFont(memoFont);

    BtnReplaceMapSetChips = new QPushButton(QStringLiteral("OK"), this);
    BtnReplaceMapSetChips->setObjectName(QStringLiteral("BtnReplaceMapSetChips"));
    BtnReplaceMapSetChips->setGeometry(168, 264, 75, 25);
    BtnReplaceMapSetChips->setAutoDefault(false);
    BtnReplaceMapSetChips->hide();

    BtnCancel = new QPushButton(tr("キャンセル"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    BtnCancel->setGeometry(256, 264, 75, 25);
    BtnCancel->setAutoDefault(false);

    connect(BtnReplaceMapSetChips, &QPushButton::clicked, this,
            &TShowUnusedChipNumForm::BtnReplaceMapSetChipsClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TShowUnusedChipNumForm::BtnCancelClick);
}

void TShowUnusedChipNumForm::ShowReport(const QString &caption, const QString &heading,
                                        const QString &list) {
    setWindowTitle(caption);
    LblMessage->setText(heading);
    MemoUnusedChipNum->setPlainText(list);
    exec();
}

void TShowUnusedChipNumForm::OfferReplacement(const QString &list,
                                              const std::function<int()> &replace) {
    MemoUnusedChipNum->setPlainText(list);
    if (MemoUnusedChipNum->toPlainText().isEmpty()) {
        Prompt.ShowMessage(tr("置換対象チップはありません。"));
        return;
    }
    LblMessage->setText(tr("マップセット内のチップ番号を以下のように置換します"));
    PendingReplacement = replace;
    BtnReplaceMapSetChips->show();
    exec();
    // However the window closed, the next report must not offer the replacement.
    BtnReplaceMapSetChips->hide();
    PendingReplacement = nullptr;
}

void TShowUnusedChipNumForm::BtnReplaceMapSetChipsClick() {
    const int count = PendingReplacement();
    Prompt.ShowMessage(tr("%n個のチップを置換しました", nullptr, count));
    accept();
}

void TShowUnusedChipNumForm::BtnCancelClick() {
    reject();
}
