#include "IpsPatch.h"

#include "HexText.h"

#include <algorithm>

namespace {

const QByteArray Header = QByteArrayLiteral("PATCH");
const QByteArray EofMarker = QByteArrayLiteral("EOF");

// Record headers cost 5 bytes (offset and size) and a run-length record 8 in all, so an
// unchanged gap shorter than a header is cheaper to carry inside a record than to skip.
constexpr qsizetype RecordHeaderSize = 5;
constexpr qsizetype RunRecordSize = 8;

void AppendBigEndian(QByteArray &out, qsizetype value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

qsizetype ReadBigEndian(const QByteArray &in, qsizetype at, int bytes) {
    qsizetype value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | static_cast<uint8_t>(in[at + i]);
    return value;
}

/// Writes the records that carry the bytes of `edited` over changed spans.
class RecordWriter {
public:
    RecordWriter(const QByteArray &edited, QByteArray &out) : Edited(edited), Out(out) {}

    /// Encodes `edited`[from, to) as literal records, with run-length records for the runs
    /// that make the patch shorter.
    void WriteSpan(qsizetype from, qsizetype to) {
        qsizetype literalStart = from;
        qsizetype p = from;
        while (p < to) {
            qsizetype runEnd = p + 1;
            while (runEnd < to && Edited[runEnd] == Edited[p])
                ++runEnd;
            // A run pays for its own record, and for a new literal header on each side
            // where it splits a literal stretch.
            const qsizetype cost = RunRecordSize - RecordHeaderSize +
                                   (p > literalStart ? RecordHeaderSize : 0) +
                                   (runEnd < to ? RecordHeaderSize : 0);
            if (runEnd - p > cost) {
                WriteLiteral(literalStart, p);
                WriteRun(p, runEnd);
                literalStart = runEnd;
            }
            p = runEnd;
        }
        WriteLiteral(literalStart, to);
    }

private:
    // A record may not start at the offset that reads as "EOF": such a record starts one
    // byte earlier, rewriting that byte with its edited value.
    void WriteLiteral(qsizetype from, qsizetype to) {
        qsizetype p = from;
        while (p < to) {
            const qsizetype start = p == IpsPatch::EofOffset ? p - 1 : p;
            const qsizetype size = std::min(IpsPatch::MaxRecordSize, to - start);
            AppendBigEndian(Out, start, 3);
            AppendBigEndian(Out, size, 2);
            Out.append(Edited.constData() + start, size);
            p = start + size;
        }
    }

    void WriteRun(qsizetype from, qsizetype to) {
        qsizetype p = from;
        while (p < to) {
            if (p == IpsPatch::EofOffset) {
                WriteLiteral(p, p + 1);
                ++p;
                continue;
            }
            const qsizetype count = std::min(IpsPatch::MaxRecordSize, to - p);
            AppendBigEndian(Out, p, 3);
            AppendBigEndian(Out, 0, 2);
            AppendBigEndian(Out, count, 2);
            Out.append(Edited[p]);
            p += count;
        }
    }

    const QByteArray &Edited;
    QByteArray &Out;
};

QString TooLarge(const QString &what) {
    return QStringLiteral("%1 is larger than 16 MiB, more than three-byte IPS offsets reach")
        .arg(what);
}

QString Truncated(qsizetype recordAt) {
    return QStringLiteral("truncated patch: the record at patch byte %1 is cut short")
        .arg(HexText(recordAt, 6));
}

} // namespace

ByteResult IpsPatch::Create(const QByteArray &original, const QByteArray &edited) {
    if (original.size() > MaxImageSize)
        return ByteResult::Failure(TooLarge(QStringLiteral("the original image")));
    if (edited.size() > MaxImageSize)
        return ByteResult::Failure(TooLarge(QStringLiteral("the edited image")));

    const auto changed = [&](qsizetype i) {
        return i >= original.size() || original[i] != edited[i];
    };
    QByteArray out = Header;
    RecordWriter writer(edited, out);
    qsizetype i = 0;
    while (i < edited.size()) {
        if (!changed(i)) {
            ++i;
            continue;
        }
        const qsizetype spanStart = i;
        qsizetype spanEnd = i + 1;
        // Extend over changed bytes and over unchanged gaps shorter than a record header.
        for (qsizetype j = spanEnd; j < edited.size() && j - spanEnd < RecordHeaderSize; ++j) {
            if (changed(j))
                spanEnd = j + 1;
        }
        writer.WriteSpan(spanStart, spanEnd);
        i = spanEnd;
    }
    out.append(EofMarker);
    if (edited.size() < original.size())
        AppendBigEndian(out, edited.size(), 3);
    return ByteResult::Success(out);
}

ByteResult IpsPatch::Apply(const QByteArray &image, const QByteArray &patch) {
    if (image.size() > MaxImageSize)
        return ByteResult::Failure(TooLarge(QStringLiteral("the image")));
    if (!patch.startsWith(Header))
        return ByteResult::Failure(
            QStringLiteral("not an IPS patch: it does not begin with PATCH"));

    QByteArray out = image;
    qsizetype pos = Header.size();
    for (;;) {
        const qsizetype recordAt = pos;
        if (patch.size() - pos < 3)
            return ByteResult::Failure(
                QStringLiteral("truncated patch: the EOF marker is missing"));
        const qsizetype offset = ReadBigEndian(patch, pos, 3);
        pos += 3;
        if (offset == EofOffset)
            break;
        if (patch.size() - pos < 2)
            return ByteResult::Failure(Truncated(recordAt));
        const qsizetype size = ReadBigEndian(patch, pos, 2);
        pos += 2;
        const qsizetype dataSize = size == 0 ? 3 : size;
        if (patch.size() - pos < dataSize)
            return ByteResult::Failure(Truncated(recordAt));
        const qsizetype count = size == 0 ? ReadBigEndian(patch, pos, 2) : size;
        if (count == 0)
            return ByteResult::Failure(
                QStringLiteral("malformed patch: the run-length record at patch byte %1 has "
                               "a count of 0")
                    .arg(HexText(recordAt, 6)));
        if (offset + count > out.size())
            out.resize(offset + count, '\0');
        if (size == 0)
            std::fill_n(out.begin() + offset, count, patch[pos + 2]);
        else
            std::copy_n(patch.constBegin() + pos, count, out.begin() + offset);
        pos += dataSize;
    }

    const qsizetype rest = patch.size() - pos;
    if (rest == 3) {
        const qsizetype length = ReadBigEndian(patch, pos, 3);
        if (length > out.size())
            return ByteResult::Failure(
                QStringLiteral("malformed patch: the truncation length %1 lies beyond the "
                               "patched image of %2 bytes")
                    .arg(HexText(length, 6), HexText(out.size(), 6)));
        out.truncate(length);
    } else if (rest != 0) {
        return ByteResult::Failure(
            QStringLiteral("malformed patch: %1 unexpected bytes after the EOF marker")
                .arg(HexText(rest)));
    }
    return ByteResult::Success(out);
}

qsizetype IpsPatch::RecordCount(const QByteArray &patch) {
    if (!patch.startsWith(Header))
        return -1;
    qsizetype records = 0;
    qsizetype pos = Header.size();
    while (patch.size() - pos >= 3 && ReadBigEndian(patch, pos, 3) != EofOffset) {
        if (patch.size() - pos < 5)
            return -1;
        const qsizetype size = ReadBigEndian(patch, pos + 3, 2);
        pos += 5 + (size == 0 ? 3 : size);
        ++records;
    }
    return patch.size() - pos >= 3 ? records : -1;
}
