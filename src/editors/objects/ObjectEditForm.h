#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class QLabel;
class QPushButton;
class TMemo;

/// One object as written in the object list text: X, Y and kind, one byte each.
struct ObjectLine {
    uint8_t X = 0;
    uint8_t Y = 0;
    uint8_t Kind = 0;
    bool operator==(const ObjectLine &) const = default;
};

/// "XX YY KK" and a line break, each value as two upper-case hexadecimal digits.
QString FormatObjectLine(int x, int y, int kind);

/// Reads one line of the object list text. The line is split at spaces and tabs; the first
/// three pieces are X, Y and kind, each read as hexadecimal (a 32-bit value, of which the
/// low 8 bits count) and anything after them is ignored. Nothing when the line has fewer
/// than three pieces or one of them is not a hexadecimal number.
std::optional<ObjectLine> ParseObjectLine(const QString &line);

/// The lines of an object list text, whichever line break (CR LF, LF or CR) it uses.
QStringList SplitObjectLines(const QString &text);

/// The dialog caption for room `room`: "部屋番号" + two hexadecimal digits +
/// "のオブジェクトの編集".
QString ObjectEditCaption(int room);

/// The object list dialog: shows a room's objects as text, one "X Y Kind" line each, and
/// hands back the edited text when the user closes it with OK. Owns its controls; the
/// reading of the text is left to the functions above.
class TObjectEditForm : public QDialog {
    Q_OBJECT
public:
    explicit TObjectEditForm(QWidget *parent = nullptr);

    /// Runs the dialog for `room` with `listText` in the memo (CR LF line breaks); the
    /// memo's text when closed with OK, nothing on Cancel.
    std::optional<QString> EditRoomObjects(int room, const QString &listText);

private:
    QLabel *Label1;
    TMemo *MemoObjectEdit;
    QPushButton *BtnOK;
    QPushButton *BtnCancel;
};
