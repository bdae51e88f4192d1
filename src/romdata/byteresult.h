#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

/// Bytes produced by an operation, or the one-line reason why none could be.
struct ByteResult {
    QByteArray Bytes;
    QString Error; ///< empty on success
    /// Set when a patch refused the image because it was made for another one: the
    /// checksum the patch expects and the image's own, for a message that names both.
    bool WrongBase = false;
    uint32_t ExpectedCrc = 0;
    uint32_t ActualCrc = 0;

    bool Ok() const { return Error.isEmpty(); }
    static ByteResult Success(QByteArray bytes) { return {std::move(bytes), QString()}; }
    static ByteResult Failure(QString error) { return {QByteArray(), std::move(error)}; }
};
