#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class TMemo;
class UserPrompt;

/// The one modal window of the chip usage reports: a heading, the list in an editable memo
/// (nothing reads it back), and the buttons. Created once at start-up and reused; it keeps
/// its caption and heading between uses. Borrows the prompt for its messages.
class TShowUnusedChipNumForm : public QDialog {
    Q_OBJECT
public:
    explicit TShowUnusedChipNumForm(UserPrompt &prompt, QWidget *parent = nullptr);

    /// Sets the caption and the heading, shows `list` and runs the window modally with only
    /// the cancel button.
    void ShowReport(const QString &caption, const QString &heading, const QString &list);

    /// The duplicate-chip replacement offer. With an empty `list` shows
    /// "置換対象チップはありません。" and returns. Otherwise shows the list under the
    /// replacement heading (the caption stays what it was) with the OK button visible; OK runs
    /// `replace`, reports how many entries it changed and closes. The OK button is hidden
    /// again however the window closes.
    void OfferReplacement(const QString &list, const std::function<int()> &replace);

private:
    void BtnReplaceMapSetChipsClick();
    void BtnCancelClick();

    UserPrompt &Prompt;
    QLabel *LblMessage;
    TMemo *MemoUnusedChipNum;
    QPushButton *BtnReplaceMapSetChips;
    QPushButton *BtnCancel;
    /// The replacement the OK button runs; set only while the offer is shown.
    std::function<int()> PendingReplacement;
};
