#include "ObjectEditForm.h"

#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace {
QString Hex2(int value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

/// A piece of hexadecimal digits whose value fits 32 bits; its low byte.
std::optional<uint8_t> ParseHexPiece(const QString &piece) {
    if (piece.isEmpty())
        return std::nullopt;
    uint64_t value = 0;
    for (const QChar c : piece) {
        const char16_t u = c.unicode();
        uint64_t digit = 0;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        else
            return std::nullopt;
        value = value * 16 + digit;
        // Leading zeros are fine; a value past 32 bits is not a number the line can hold.
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<uint8_t>(value & 0xFF);
}
} // namespace

QString FormatObjectLine(int x, int y, int kind) {
    return Hex2(x & 0xFF) + QLatin1Char(' ') + Hex2(y & 0xFF) + QLatin1Char(' ') +
           Hex2(kind & 0xFF) + QStringLiteral("\r\n");
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
    return QStringLiteral("部屋番号") + Hex2(room) + QStringLiteral("のオブジェクトの編集");
}

TObjectEditForm::TObjectEditForm(QWidget *parent)
    : QDialog(parent), Label1(new QLabel(this)), MemoObjectEdit(new QPlainTextEdit(this)),
      BtnOK(new QPushButton(QStringLiteral("OK"), this)),
      BtnCancel(new QPushButton(QStringLiteral("キャンセル"), this)) {
    setObjectName(QStringLiteral("ObjectEditForm"));
    setWindowTitle(QStringLiteral("部屋番号XXのオブジェクトの編集"));
    setFixedSize(268, 301);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setText(QStringLiteral("\"X座標 Y座標 種類\"を1列に記述して下さい"));
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
