#include "ObjectEditForm.h"

#include "HexText.h"
#include "memo.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

namespace {
/// A piece of hexadecimal digits whose value fits 32 bits; its low byte.
std::optional<uint8_t> ParseHexPiece(const QString &piece) {
    const std::optional<uint32_t> value = ParseHexDigits(piece);
    if (!value)
        return std::nullopt;
    return static_cast<uint8_t>(*value & 0xFF);
}
} // namespace

QString FormatObjectLine(int x, int y, int kind) {
    return HexText(x & 0xFF) + QLatin1Char(' ') + HexText(y & 0xFF) + QLatin1Char(' ') +
           HexText(kind & 0xFF) + QStringLiteral("\r\n");
}

std::optional<ObjectLine> ParseObjectLine(const QString &line) {
    static const QRegularExpression separators(QStringLiteral("[ \t]+"));
    const QStringList pieces = line.split(separators, Qt::SkipEmptyParts);
    if (pieces.size() < 3)
        return std::nullopt;
    // Only the first three pieces are read: a bad piece after them does not matter.
    const std::optional<uint8_t> x = ParseHexPiece(pieces[0]);
    const std::optional<uint8_t> y = ParseHexPiece(pieces[1]);
    const std::optional<uint8_t> kind = ParseHexPiece(pieces[2]);
    if (!x || !y || !kind)
        return std::nullopt;
    return ObjectLine{*x, *y, *kind};
}

QStringList SplitObjectLines(const QString &text) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    return text.split(breaks);
}

QString ObjectEditCaption(int room) {
    return TObjectEditForm::tr("部屋番号%1のオブジェクトの編集").arg(HexText(room));
}

TObjectEditForm::TObjectEditForm(QWidget *parent)
    : QDialog(parent), Label1(new QLabel(this)), MemoObjectEdit(new TMemo(this)),
      BtnOK(new QPushButton(QStringLiteral("OK"), this)),
      BtnCancel(new QPushButton(tr("キャンセル"), this)) {
    setObjectName(QStringLiteral("ObjectEditForm"));
    setWindowTitle(tr("部屋番号%1のオブジェクトの編集").arg(QStringLiteral("XX")));
    setFixedSize(268, 301);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setText(tr("\"X座標 Y座標 種類\"を1列に記述して下さい"));
    Label1->setGeometry(12, 8, 244, 20);

    MemoObjectEdit->setObjectName(QStringLiteral("MemoObjectEdit"));
    MemoObjectEdit->setGeometry(12, 32, 241, 201);
    QFont memoFont(QStringLiteral("ＭＳ ゴシック"));
    memoFont.setPixelSize(15);
    MemoObjectEdit->setFont(memoFont);
    MemoObjectEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoObjectEdit->setPlainText(QStringLiteral("00 00 00"));

    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setGeometry(40, 254, 80, 28);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    BtnCancel->setGeometry(148, 254, 80, 28);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<QString> TObjectEditForm::EditRoomObjects(int room, const QString &listText) {
    setWindowTitle(ObjectEditCaption(room));
    // The memo breaks lines with LF; the list text uses CR LF.
    MemoObjectEdit->setPlainText(SplitObjectLines(listText).join(QLatin1Char('\n')));
    MemoObjectEdit->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return MemoObjectEdit->toPlainText();
}
