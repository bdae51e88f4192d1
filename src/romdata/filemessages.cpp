#include "filemessages.h"

#include <cerrno>
#include <cstring>

QString FileMessages::Reason(int error) {
    switch (error) {
    case ENOSPC:
        return tr("ディスクの空き容量が足りません。");
    case EDQUOT:
        return tr("ディスクの使用量の上限を超えます。");
    case EFBIG:
        return tr("ファイルが大きすぎます。");
    case EACCES:
    case EPERM:
        return tr("アクセスが拒否されました。");
    case EROFS:
        return tr("読み取り専用のファイルシステムです。");
    case ENOENT:
        return tr("ファイルまたはフォルダーが見つかりません。");
    case ENOTDIR:
        return tr("パスの途中にフォルダーではないものがあります。");
    case EISDIR:
        return tr("ファイルではなくフォルダーです。");
    case EIO:
        return tr("ディスクの読み書きでエラーが発生しました。");
    case ELOOP:
        return tr("シンボリックリンクの参照が多すぎるか、循環しています。");
    case ENAMETOOLONG:
        return tr("ファイル名が長すぎます。");
    case EBUSY:
    case ETXTBSY:
        return tr("ファイルが使用中です。");
    case EMFILE:
    case ENFILE:
        return tr("開いているファイルが多すぎます。");
    case ENOMEM:
        return tr("メモリが足りません。");
    default:
        break;
    }
    // The system's own words for the rarer errors, untranslated but never a bare number.
    if (const char *description = strerrordesc_np(error))
        return tr("システムエラー: %1").arg(QString::fromLocal8Bit(description));
    return tr("システムエラー番号 %1").arg(error);
}

QString FileMessages::NotAPlainFile() {
    return tr("通常のファイルではありません。");
}

QString FileMessages::SaveFailed(const QString &path, const QString &reason,
                                 const QString &aftermath) {
    QString text = tr("%1を保存できませんでした。").arg(path) + u'\n' + reason;
    if (!aftermath.isEmpty())
        text += u'\n' + aftermath;
    return text;
}

QString FileMessages::OpenFailed(const QString &path, const QString &reason) {
    return tr("%1を開けませんでした。").arg(path) + u'\n' + reason;
}

QString FileMessages::ReadFailed(const QString &path, const QString &reason) {
    return tr("%1を読み込めませんでした。").arg(path) + u'\n' + reason;
}

QString FileMessages::FileUnchanged() {
    return tr("ファイルは変更していません。");
}

QString FileMessages::NoCopyOfOldBytes() {
    return tr("保存前の内容の控えを作れなかったため、ファイルは変更していません。");
}

QString FileMessages::OldBytesRestored() {
    return tr("ファイルは保存前の内容に戻しました。");
}

QString FileMessages::OldBytesKeptIn(const QString &copyPath) {
    return tr("保存前の内容は%1に残してあります。").arg(copyPath);
}
