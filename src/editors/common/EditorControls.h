#pragma once

#include <QString>
#include <cstdint>
#include <optional>

class QLineEdit;
class QScrollBar;
class TImageEx;

// What the editor pages' controllers do alike to the controls they borrow: show a blank
// picture, put a value into a control without running the handler its own changes are
// forwarded to, and read a two-digit hexadecimal edit.

/// Gives `image` a black picture of `width` x `height` pixels to draw on.
void AssignPicture(TImageEx *image, int width, int height);

/// Puts a text into an edit without running its change handling: used where the text
/// already stands for the stored value.
void SetTextQuietly(QLineEdit *edit, const QString &text);

/// Moves a bar without running the handler its own moves are forwarded to.
void SetPositionQuietly(QScrollBar *bar, int position);

/// The byte of a two-digit edit: exactly two hexadecimal digits, either case; nothing else
/// (no sign, blank or prefix) is a byte.
std::optional<uint8_t> ParseHexByte(const QString &text);
