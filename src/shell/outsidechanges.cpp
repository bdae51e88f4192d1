#include "outsidechanges.h"

#include "edit_flag.h"
#include "fileio.h"

#include <QEvent>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

OutsideChanges::OutsideChanges(RomImageData &rom, const EditFlagManagement &flags,
                               UserPrompt &prompt, QWidget &window, QObject *parent)
    : QObject(parent), Rom(rom), Flags(flags), Prompt(prompt), Window(window) {
    Window.installEventFilter(this);
}

OutsideChanges::~OutsideChanges() {
    Window.removeEventFilter(this);
}

std::optional<ChangedFileAnswer> OutsideChanges::AskBeforeSave(const QString &path) {
    if (Rom.FilePath().isEmpty() || QFileInfo(path) != QFileInfo(Rom.FilePath()) ||
        !Rom.ChangedOnDisk(RomImageData::DiskLook::Thorough))
        return std::nullopt;
    return Prompt.AskChangedFile(
        tr("%1は、このエディタで開いた後または保存した後に、他のプログラムで変更されています。\n\n"
           "両方を残す: 今のファイルに、このエディタで変更した表だけを書き込みます。"
           "それ以外のバイトは他のプログラムが残したままです。\n"
           "名前を付けて保存: 別のファイルに保存します。\n"
           "キャンセル: 何も保存しません。")
            .arg(path));
}

bool OutsideChanges::eventFilter(QObject *watched, QEvent *event) {
    // Asked once the activation is over, not inside its event.
    if (watched == &Window && event->type() == QEvent::WindowActivate && !Asking)
        QTimer::singleShot(0, this, &OutsideChanges::OfferReload);
    return false;
}

// With edits here, nothing is said until Save, which asks what to keep.
void OutsideChanges::OfferReload() {
    if (Asking || Flags.IsModified() || !Rom.ChangedOnDisk(RomImageData::DiskLook::Quick))
        return;
    Asking = true;
    const bool reload = Prompt.ConfirmYesNo(
        tr("%1は他のプログラムで変更されました。読み込み直しますか？").arg(Rom.FilePath()));
    Asking = false;
    if (reload)
        emit ReloadChosen();
    else
        Rom.IgnoreDiskChange();
}
