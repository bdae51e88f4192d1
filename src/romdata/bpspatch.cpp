#include "bpspatch.h"

#include "patchformat.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace {

const QByteArray Magic = QByteArrayLiteral("BPS1");

enum Action : uint64_t { SourceRead = 0, TargetRead = 1, SourceCopy = 2, TargetCopy = 3 };

// Any size or offset beyond this is a damaged number: no image the patch code accepts comes
// near it, and keeping well below 2^63 lets every sum below stay exact.
constexpr uint64_t NumberLimit = uint64_t{1} << 48;

// A copy is worth its offset only from this length on; shorter matches go out as literals.
constexpr qsizetype MinCopy = 4;
// A run of unchanged bytes shorter than this stays inside the literal around it, which is
// cheaper than closing the literal, reading the source and opening a new literal.
constexpr qsizetype MinSourceRead = 3;
// How many earlier places with the same four bytes the writer tries for a copy.
constexpr int ChainLimit = 32;
// The table of first places grows with the bytes indexed, up to 64 K entries: small patches
// do not pay for clearing a table sized for a cartridge.
constexpr int MinHashBits = 8;
constexpr int MaxHashBits = 16;

// Seven bits per byte, low bits first, the last byte marked by its top bit; each further
// byte stands for one more than its bits say, so every number has exactly one encoding.
void AppendNumber(QByteArray &out, uint64_t value) {
    for (;;) {
        const auto low = static_cast<char>(value & 0x7F);
        value >>= 7;
        if (value == 0) {
            out.append(static_cast<char>(0x80 | low));
            return;
        }
        out.append(low);
        --value;
    }
}

qsizetype NumberSize(uint64_t value) {
    QByteArray bytes;
    AppendNumber(bytes, value);
    return bytes.size();
}

void AppendLittleEndian(QByteArray &out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

uint32_t ReadLittleEndian(const QByteArray &in, qsizetype at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(in[at + i]);
    return value;
}

/// Reads the numbers and bytes of a patch up to its footer, never past it.
class PatchReader {
public:
    PatchReader(const QByteArray &patch, qsizetype at)
        : Patch(patch), Pos(at), End(patch.size() - BpsPatch::FooterSize) {}

    std::optional<uint64_t> Number() {
        uint64_t value = 0;
        uint64_t shift = 1;
        for (;;) {
            if (Pos >= End)
                return std::nullopt;
            const auto byte = static_cast<uint8_t>(Patch[Pos++]);
            value += (byte & 0x7F) * shift;
            if (byte & 0x80)
                break;
            shift <<= 7;
            value += shift;
            if (shift >= NumberLimit)
                return std::nullopt;
        }
        return value < NumberLimit ? std::optional<uint64_t>(value) : std::nullopt;
    }

    bool AtEnd() const { return Pos >= End; }
    qsizetype Position() const { return Pos; }
    qsizetype Remaining() const { return End - Pos; }
    const char *Take(qsizetype count) {
        const char *bytes = Patch.constData() + Pos;
        Pos += count;
        return bytes;
    }

private:
    const QByteArray &Patch;
    qsizetype Pos;
    qsizetype End;
};

QString Truncated(qsizetype at) {
    return QStringLiteral("truncated patch: the action at patch byte %1 is cut short").arg(at);
}

QString PastEnd(qsizetype at, const char *what) {
    return QStringLiteral("damaged patch: the action at patch byte %1 reaches past the end of %2")
        .arg(at)
        .arg(QString::fromLatin1(what));
}

QString TooLarge(const QString &what) {
    return QStringLiteral("%1 is larger than 16 MiB").arg(what);
}

/// Places in a byte string by their next four bytes, newest first, for finding copies.
class MatchIndex {
public:
    explicit MatchIndex(const QByteArray &bytes)
        : Bytes(bytes),
          HashBits(
              std::clamp(static_cast<int>(std::bit_width(static_cast<std::size_t>(bytes.size()))),
                         MinHashBits, MaxHashBits)),
          Head(std::size_t{1} << HashBits, -1),
          Previous(static_cast<std::size_t>(bytes.size()), -1) {}

    /// Adds every place before `end` not added yet.
    void AddUpTo(qsizetype end) {
        end = std::min(end, Bytes.size() - MinCopy + 1);
        for (; Added < end; ++Added) {
            const uint32_t key = Key(Bytes, Added);
            Previous[Added] = Head[key];
            Head[key] = Added;
        }
    }

    /// The longest run of `Bytes` from an indexed place that equals `target` from `at`:
    /// its place and length (0 when none).
    std::pair<qsizetype, qsizetype> Longest(const QByteArray &target, qsizetype at) const {
        qsizetype bestAt = 0;
        qsizetype bestLength = 0;
        if (target.size() - at < MinCopy)
            return {bestAt, bestLength};
        qsizetype candidate = Head[Key(target, at)];
        for (int tries = 0; candidate >= 0 && tries < ChainLimit; ++tries) {
            const qsizetype limit = std::min(Bytes.size() - candidate, target.size() - at);
            qsizetype length = 0;
            while (length < limit && Bytes[candidate + length] == target[at + length])
                ++length;
            if (length > bestLength) {
                bestAt = candidate;
                bestLength = length;
            }
            candidate = Previous[candidate];
        }
        return {bestAt, bestLength};
    }

private:
    uint32_t Key(const QByteArray &bytes, qsizetype at) const {
        uint32_t word = 0;
        for (int i = 0; i < MinCopy; ++i)
            word |= uint32_t{static_cast<uint8_t>(bytes[at + i])} << (8 * i);
        return (word * 2654435761u) >> (32 - HashBits);
    }

    const QByteArray &Bytes;
    int HashBits;
    std::vector<qsizetype> Head;
    std::vector<qsizetype> Previous;
    qsizetype Added = 0;
};

/// Writes the actions of a patch, keeping the relative offsets the copies count from.
class ActionWriter {
public:
    explicit ActionWriter(QByteArray &out) : Out(out) {}

    void Command(Action action, qsizetype length) {
        AppendNumber(Out, (static_cast<uint64_t>(length - 1) << 2) | action);
    }
    /// The cost of a copy from `from` for `length` bytes, with the offset it would take.
    qsizetype CopyCost(Action action, qsizetype from, qsizetype length) const {
        return NumberSize((static_cast<uint64_t>(length - 1) << 2) | action) +
               NumberSize(Offset(action, from));
    }
    void Copy(Action action, qsizetype from, qsizetype length) {
        Command(action, length);
        AppendNumber(Out, Offset(action, from));
        (action == SourceCopy ? SourceEnd : TargetEnd) = from + length;
    }

private:
    uint64_t Offset(Action action, qsizetype from) const {
        const qsizetype delta = from - (action == SourceCopy ? SourceEnd : TargetEnd);
        return delta < 0 ? (static_cast<uint64_t>(-delta) << 1) | 1
                         : static_cast<uint64_t>(delta) << 1;
    }

    QByteArray &Out;
    qsizetype SourceEnd = 0;
    qsizetype TargetEnd = 0;
};

} // namespace

ByteResult BpsPatch::Create(const QByteArray &source, const QByteArray &target,
                            const QByteArray &metadata) {
    if (source.size() > MaxImageSize)
        return ByteResult::Failure(TooLarge(QStringLiteral("the original image")));
    if (target.size() > MaxImageSize)
        return ByteResult::Failure(TooLarge(QStringLiteral("the edited image")));

    QByteArray out = Magic;
    AppendNumber(out, static_cast<uint64_t>(source.size()));
    AppendNumber(out, static_cast<uint64_t>(target.size()));
    AppendNumber(out, static_cast<uint64_t>(metadata.size()));
    out.append(metadata);

    ActionWriter writer(out);
    MatchIndex sourceIndex(source);
    sourceIndex.AddUpTo(source.size());
    MatchIndex targetIndex(target);
    qsizetype literalStart = -1;
    const auto closeLiteral = [&](qsizetype end) {
        if (literalStart < 0)
            return;
        writer.Command(TargetRead, end - literalStart);
        out.append(target.constData() + literalStart, end - literalStart);
        literalStart = -1;
    };

    const qsizetype common = std::min(source.size(), target.size());
    qsizetype at = 0;
    while (at < target.size()) {
        qsizetype same = 0;
        while (at + same < common && source[at + same] == target[at + same])
            ++same;
        if (same >= MinSourceRead || (same > 0 && at + same == target.size())) {
            closeLiteral(at);
            writer.Command(SourceRead, same);
            at += same;
            continue;
        }

        // A target copy may overlap the bytes it writes, which makes it a run-length code.
        targetIndex.AddUpTo(at);
        const auto [sourceAt, sourceLength] = sourceIndex.Longest(target, at);
        const auto [targetAt, targetLength] = targetIndex.Longest(target, at);
        const bool fromTarget = targetLength > sourceLength;
        const Action action = fromTarget ? TargetCopy : SourceCopy;
        const qsizetype from = fromTarget ? targetAt : sourceAt;
        const qsizetype length = fromTarget ? targetLength : sourceLength;
        if (length >= MinCopy && length > writer.CopyCost(action, from, length)) {
            closeLiteral(at);
            writer.Copy(action, from, length);
            at += length;
            continue;
        }
        if (literalStart < 0)
            literalStart = at;
        ++at;
    }
    closeLiteral(at);

    AppendLittleEndian(out, Crc32(source));
    AppendLittleEndian(out, Crc32(target));
    AppendLittleEndian(out, Crc32(out));
    return ByteResult::Success(out);
}

std::optional<BpsPatch::Header> BpsPatch::ReadHeader(const QByteArray &patch) {
    if (!patch.startsWith(Magic) || patch.size() < Magic.size() + FooterSize)
        return std::nullopt;
    PatchReader reader(patch, Magic.size());
    Header header;
    const std::optional<uint64_t> sourceSize = reader.Number();
    const std::optional<uint64_t> targetSize = reader.Number();
    const std::optional<uint64_t> metadataSize = reader.Number();
    if (!sourceSize || !targetSize || !metadataSize ||
        *metadataSize > static_cast<uint64_t>(reader.Remaining()))
        return std::nullopt;
    header.SourceSize = *sourceSize;
    header.TargetSize = *targetSize;
    header.Metadata = QByteArray(reader.Take(static_cast<qsizetype>(*metadataSize)),
                                 static_cast<qsizetype>(*metadataSize));
    header.ActionsAt = reader.Position();
    const qsizetype footer = patch.size() - FooterSize;
    header.SourceCrc = ReadLittleEndian(patch, footer);
    header.TargetCrc = ReadLittleEndian(patch, footer + 4);
    header.PatchCrc = ReadLittleEndian(patch, footer + 8);
    return header;
}

qsizetype BpsPatch::ActionCount(const QByteArray &patch) {
    const std::optional<Header> header = ReadHeader(patch);
    if (!header)
        return -1;
    PatchReader reader(patch, header->ActionsAt);
    uint64_t written = 0;
    qsizetype actions = 0;
    while (!reader.AtEnd()) {
        const std::optional<uint64_t> command = reader.Number();
        if (!command)
            return -1;
        const uint64_t length = (*command >> 2) + 1;
        if (length > header->TargetSize - written)
            return -1;
        const uint64_t action = *command & 3;
        if (action == TargetRead) {
            if (length > static_cast<uint64_t>(reader.Remaining()))
                return -1;
            reader.Take(static_cast<qsizetype>(length));
        } else if ((action == SourceCopy || action == TargetCopy) && !reader.Number()) {
            return -1;
        }
        written += length;
        ++actions;
    }
    return actions;
}

ByteResult BpsPatch::Apply(const QByteArray &source, const QByteArray &patch) {
    if (!patch.startsWith(Magic))
        return ByteResult::Failure(QStringLiteral("not a BPS patch: it does not begin with BPS1"));
    const std::optional<Header> header = ReadHeader(patch);
    if (!header)
        return ByteResult::Failure(
            QStringLiteral("truncated patch: the header or the checksums are cut short"));
    const uint32_t patchCrc = Crc32(patch.left(patch.size() - 4));
    if (patchCrc != header->PatchCrc)
        return ByteResult::Failure(
            QStringLiteral("damaged patch: its bytes give CRC32 %1, its footer says %2")
                .arg(Crc32Text(patchCrc), Crc32Text(header->PatchCrc)));
    if (source.size() > MaxImageSize)
        return ByteResult::Failure(TooLarge(QStringLiteral("the image")));
    if (header->TargetSize > static_cast<uint64_t>(MaxImageSize))
        return ByteResult::Failure(TooLarge(QStringLiteral("the patched image")));
    const uint32_t sourceCrc = Crc32(source);
    if (header->SourceSize != static_cast<uint64_t>(source.size()) ||
        sourceCrc != header->SourceCrc) {
        ByteResult wrong = ByteResult::Failure(
            QStringLiteral("wrong image: the patch is for an image of %1 bytes with CRC32 %2, "
                           "this one has %3 bytes and CRC32 %4")
                .arg(header->SourceSize)
                .arg(Crc32Text(header->SourceCrc))
                .arg(source.size())
                .arg(Crc32Text(sourceCrc)));
        wrong.WrongBase = true;
        wrong.ExpectedCrc = header->SourceCrc;
        wrong.ActualCrc = sourceCrc;
        return wrong;
    }

    const auto targetSize = static_cast<qsizetype>(header->TargetSize);
    QByteArray target(targetSize, '\0');
    PatchReader reader(patch, header->ActionsAt);
    qsizetype written = 0;
    qsizetype sourceEnd = 0;
    qsizetype targetEnd = 0;
    while (!reader.AtEnd()) {
        const qsizetype actionAt = reader.Position();
        const std::optional<uint64_t> command = reader.Number();
        if (!command)
            return ByteResult::Failure(Truncated(actionAt));
        const uint64_t length64 = (*command >> 2) + 1;
        if (length64 > static_cast<uint64_t>(targetSize - written))
            return ByteResult::Failure(PastEnd(actionAt, "the target"));
        const auto length = static_cast<qsizetype>(length64);
        char *into = target.data() + written;
        switch (*command & 3) {
        case SourceRead:
            if (length > source.size() - written)
                return ByteResult::Failure(PastEnd(actionAt, "the source"));
            std::copy_n(source.constData() + written, length, into);
            break;
        case TargetRead:
            if (length > reader.Remaining())
                return ByteResult::Failure(Truncated(actionAt));
            std::copy_n(reader.Take(length), length, into);
            break;
        default: {
            const std::optional<uint64_t> offset = reader.Number();
            if (!offset)
                return ByteResult::Failure(Truncated(actionAt));
            const bool fromSource = (*command & 3) == SourceCopy;
            qsizetype &end = fromSource ? sourceEnd : targetEnd;
            const auto distance = static_cast<qsizetype>(*offset >> 1);
            const qsizetype from = (*offset & 1) ? end - distance : end + distance;
            // A target copy reads only bytes already written; it may overlap the bytes it
            // writes, one at a time, which repeats a pattern.
            const qsizetype available = fromSource ? source.size() : written;
            if (from < 0 || from >= available || (fromSource && length > available - from))
                return ByteResult::Failure(
                    PastEnd(actionAt, fromSource ? "the source" : "the target written so far"));
            const char *bytes = fromSource ? source.constData() : target.constData();
            for (qsizetype i = 0; i < length; ++i)
                into[i] = bytes[from + i];
            end = from + length;
            break;
        }
        }
        written += length;
    }
    if (written != targetSize)
        return ByteResult::Failure(
            QStringLiteral("damaged patch: the actions write %1 of the %2 bytes of the target")
                .arg(written)
                .arg(targetSize));
    const uint32_t targetCrc = Crc32(target);
    if (targetCrc != header->TargetCrc)
        return ByteResult::Failure(
            QStringLiteral("damaged patch: the result has CRC32 %1, the patch expects %2")
                .arg(Crc32Text(targetCrc), Crc32Text(header->TargetCrc)));
    return ByteResult::Success(target);
}
