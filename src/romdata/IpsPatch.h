#pragma once

#include "byteresult.h"

/// IPS patches: the "PATCH" header, records of a 3-byte big-endian offset, a 2-byte size and
/// the data (size 0: a run-length record of a 2-byte count and one value), the "EOF"
/// marker, and optionally a 3-byte length the result is cut to.
///
/// Offsets have three bytes, so images larger than 16 MiB cannot be described and are
/// refused.
class IpsPatch {
public:
    static constexpr qsizetype MaxImageSize = 0x1000000;
    /// A record at this offset would read as the "EOF" marker.
    static constexpr qsizetype EofOffset = 0x454F46;
    static constexpr qsizetype MaxRecordSize = 0xFFFF;

    /// The patch that turns `original` into `edited`.
    static ByteResult Create(const QByteArray &original, const QByteArray &edited);
    /// `image` with `patch` applied; a malformed or truncated patch yields an error.
    static ByteResult Apply(const QByteArray &image, const QByteArray &patch);
    /// The number of records before the "EOF" marker, or -1 when the patch is not well
    /// formed up to there.
    static qsizetype RecordCount(const QByteArray &patch);
};
