#include "bpspatch.h"
#include "patchformat.h"

#include <QRandomGenerator>
#include <QTest>

/// BPS patches: every action applied by hand-made patches, exact number encodings, round
/// trips for awkward and random pairs, compactness for the edits this editor makes, and the
/// refusal of a wrong image or a damaged patch.
class TestBpsPatch : public QObject {
    Q_OBJECT

private slots:
    void handMadePatchRunsEveryAction();
    void numbersHaveOneEncoding_data();
    void numbersHaveOneEncoding();
    void roundTripReproducesTarget_data();
    void roundTripReproducesTarget();
    void randomPairsRoundTrip();
    void typicalEditsGiveSmallPatches_data();
    void typicalEditsGiveSmallPatches();
    void wrongImageIsRefusedNamingBothChecksums_data();
    void wrongImageIsRefusedNamingBothChecksums();
    void damagedPatchesAreRefused_data();
    void damagedPatchesAreRefused();
    void headerAndDescriptionReadBack();
    void formatIsChosenByHeaderAndSuffix();
};

namespace {

const QByteArray Source = QByteArrayLiteral("ABCDEFGH");

enum { SourceRead, TargetRead, SourceCopy, TargetCopy };

/// Writes a patch action by action, from the format's description, for tests that need
/// patches the writer would never make.
class PatchBuilder {
public:
    explicit PatchBuilder(uint64_t sourceSize, uint64_t targetSize, QByteArray metadata = {}) {
        Number(sourceSize);
        Number(targetSize);
        Number(static_cast<uint64_t>(metadata.size()));
        Bytes += metadata;
    }
    PatchBuilder &Number(uint64_t value) {
        for (;;) {
            const auto low = static_cast<char>(value & 0x7F);
            value >>= 7;
            if (value == 0) {
                Bytes += static_cast<char>(0x80 | low);
                return *this;
            }
            Bytes += low;
            --value;
        }
    }
    PatchBuilder &Action(int action, uint64_t length) {
        return Number(((length - 1) << 2) | static_cast<uint64_t>(action));
    }
    PatchBuilder &Copy(int action, uint64_t length, int64_t offset) {
        Action(action, length);
        return Number(offset < 0 ? (static_cast<uint64_t>(-offset) << 1) | 1
                                 : static_cast<uint64_t>(offset) << 1);
    }
    PatchBuilder &Raw(const QByteArray &bytes) {
        Bytes += bytes;
        return *this;
    }
    /// The patch with its footer: the checksums of `source` and `target`, then its own.
    QByteArray Finish(const QByteArray &source, const QByteArray &target) const {
        QByteArray patch = Bytes;
        for (uint32_t crc : {Crc32(source), Crc32(target)})
            AppendCrc(patch, crc);
        AppendCrc(patch, Crc32(patch));
        return patch;
    }

private:
    static void AppendCrc(QByteArray &patch, uint32_t crc) {
        for (int shift = 0; shift < 32; shift += 8)
            patch += static_cast<char>((crc >> shift) & 0xFF);
    }
    QByteArray Bytes = QByteArrayLiteral("BPS1");
};

QByteArray RandomBytes(QRandomGenerator &random, qsizetype size) {
    QByteArray bytes(size, '\0');
    for (auto &b : bytes)
        b = static_cast<char>(random.bounded(256));
    return bytes;
}

// A target made from `source` by a few random edits of the kinds patches meet: changed
// bytes, inserted and removed stretches, moved blocks, runs of one value.
QByteArray Mutated(QRandomGenerator &random, QByteArray target) {
    const int edits = random.bounded(1, 6);
    for (int e = 0; e < edits; ++e) {
        const auto at = static_cast<qsizetype>(random.bounded(int(target.size()) + 1));
        const int length = random.bounded(1, 64);
        switch (random.bounded(5)) {
        case 0:
            if (at < target.size())
                target[at] = static_cast<char>(target[at] ^ random.bounded(1, 256));
            break;
        case 1:
            target.insert(at, RandomBytes(random, length));
            break;
        case 2:
            target.remove(at, length);
            break;
        case 3:
            target.insert(at, target.mid(random.bounded(int(target.size()) + 1), length));
            break;
        default:
            target.insert(at, QByteArray(length, static_cast<char>(random.bounded(256))));
            break;
        }
    }
    return target;
}

} // namespace

void TestBpsPatch::handMadePatchRunsEveryAction() {
    const QByteArray target = QByteArrayLiteral("ABxyFGHHHHHAB");
    const QByteArray patch = PatchBuilder(8, 13)
                                 .Action(SourceRead, 2) // AB
                                 .Action(TargetRead, 2) // xy
                                 .Raw("xy")
                                 .Copy(SourceCopy, 3, 5)  // FGH, the source copy ends at 8
                                 .Copy(TargetCopy, 4, 6)  // HHHH, overlapping itself
                                 .Copy(SourceCopy, 2, -8) // AB, back from 8 to 0
                                 .Finish(Source, target);
    const ByteResult result = BpsPatch::Apply(Source, patch);
    QVERIFY2(result.Ok(), qPrintable(result.Error));
    QCOMPARE(result.Bytes, target);
    QCOMPARE(BpsPatch::ActionCount(patch), 5);
}

void TestBpsPatch::numbersHaveOneEncoding_data() {
    QTest::addColumn<int>("metadataSize");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("0") << 0 << QByteArray("\x80");
    QTest::newRow("127, the largest in one byte") << 127 << QByteArray("\xFF");
    QTest::newRow("128") << 128 << QByteArray("\x00\x80", 2);
    QTest::newRow("16511, the largest in two bytes") << 16511 << QByteArray("\x7F\xFF");
    QTest::newRow("16512") << 16512 << QByteArray("\x00\x00\x80", 3);
}

void TestBpsPatch::numbersHaveOneEncoding() {
    QFETCH(int, metadataSize);
    QFETCH(QByteArray, encoded);
    const QByteArray metadata(metadataSize, 'm');
    const ByteResult patch = BpsPatch::Create(QByteArray(), QByteArray(), metadata);
    QVERIFY(patch.Ok());
    QCOMPARE(patch.Bytes.mid(4, 2), QByteArray("\x80\x80"));
    QCOMPARE(patch.Bytes.mid(6, encoded.size()), encoded);
    QCOMPARE(patch.Bytes.size(), 6 + encoded.size() + metadataSize + BpsPatch::FooterSize);
    QCOMPARE(BpsPatch::ReadHeader(patch.Bytes)->Metadata, metadata);
}

void TestBpsPatch::roundTripReproducesTarget_data() {
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("target");
    QRandomGenerator random(23);
    const QByteArray block = RandomBytes(random, 5000);
    QTest::newRow("both empty") << QByteArray() << QByteArray();
    QTest::newRow("from nothing") << QByteArray() << block;
    QTest::newRow("to nothing") << block << QByteArray();
    QTest::newRow("unchanged") << block << block;
    QByteArray lastByte = block;
    lastByte[lastByte.size() - 1] = static_cast<char>(lastByte.back() ^ 1);
    QTest::newRow("last byte changed") << block << lastByte;
    QByteArray firstByte = block;
    firstByte[0] = static_cast<char>(firstByte[0] ^ 1);
    QTest::newRow("first byte changed") << block << firstByte;
    QTest::newRow("grown") << block << block + RandomBytes(random, 300);
    QTest::newRow("shrunk") << block << block.left(4321);
    QTest::newRow("halves swapped") << block << block.mid(2500) + block.left(2500);
    QTest::newRow("one byte to a run") << QByteArray("z") << QByteArray(3000, 'z');
    QTest::newRow("three bytes") << QByteArray("abc") << QByteArray("abd");
    QTest::newRow("unrelated") << block << RandomBytes(random, 4000);
}

void TestBpsPatch::roundTripReproducesTarget() {
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, target);
    const ByteResult patch = BpsPatch::Create(source, target);
    QVERIFY(patch.Ok());
    const std::optional<BpsPatch::Header> header = BpsPatch::ReadHeader(patch.Bytes);
    QVERIFY(header);
    QCOMPARE(header->SourceCrc, Crc32(source));
    QCOMPARE(header->TargetCrc, Crc32(target));
    const ByteResult applied = BpsPatch::Apply(source, patch.Bytes);
    QVERIFY2(applied.Ok(), qPrintable(applied.Error));
    QCOMPARE(applied.Bytes, target);
}

void TestBpsPatch::randomPairsRoundTrip() {
    QRandomGenerator random(0xB95);
    for (int pair = 0; pair < 400; ++pair) {
        const QByteArray source = RandomBytes(random, random.bounded(0, 2000));
        const QByteArray target =
            pair % 5 == 0 ? RandomBytes(random, random.bounded(0, 300)) : Mutated(random, source);
        const ByteResult patch = BpsPatch::Create(source, target);
        QVERIFY(patch.Ok());
        const ByteResult applied = BpsPatch::Apply(source, patch.Bytes);
        QVERIFY2(applied.Ok(),
                 qPrintable(QStringLiteral("pair %1: %2").arg(pair).arg(applied.Error)));
        QVERIFY2(applied.Bytes == target, qPrintable(QStringLiteral("pair %1").arg(pair)));
    }
}

void TestBpsPatch::typicalEditsGiveSmallPatches_data() {
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<int>("largestPatch");
    QRandomGenerator random(7);
    const QByteArray image = RandomBytes(random, 393232);
    QByteArray oneByte = image;
    oneByte[200000] = static_cast<char>(oneByte[200000] ^ 0x40);
    // Header 11 (magic, two 3-byte sizes, no metadata), a source read, a one-byte literal
    // and a source read (3 + 2 + 3), footer 12.
    QTest::newRow("one byte in a cartridge") << image << oneByte << 11 + 8 + 12;
    QByteArray moved = image;
    moved.replace(100000, 4096, image.mid(300000, 4096));
    QTest::newRow("a block copied from elsewhere") << image << moved << 60;
    QByteArray filled = image;
    filled.replace(50000, 3000, QByteArray(3000, '\xFF'));
    QTest::newRow("a stretch filled with one value") << image << filled << 60;
}

void TestBpsPatch::typicalEditsGiveSmallPatches() {
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, target);
    QFETCH(int, largestPatch);
    const ByteResult patch = BpsPatch::Create(source, target);
    QVERIFY(patch.Ok());
    QVERIFY2(patch.Bytes.size() <= largestPatch, qPrintable(QString::number(patch.Bytes.size())));
    QCOMPARE(BpsPatch::Apply(source, patch.Bytes).Bytes, target);
}

void TestBpsPatch::wrongImageIsRefusedNamingBothChecksums_data() {
    QTest::addColumn<QByteArray>("image");
    QByteArray otherByte = Source;
    otherByte[3] = 'x';
    QTest::newRow("same size, one byte differs") << otherByte;
    QTest::newRow("one byte longer") << Source + 'I';
    QTest::newRow("the patched image itself") << QByteArray("ABCDEFGh");
    QTest::newRow("empty") << QByteArray();
}

void TestBpsPatch::wrongImageIsRefusedNamingBothChecksums() {
    QFETCH(QByteArray, image);
    const ByteResult patch = BpsPatch::Create(Source, QByteArray("ABCDEFGh"));
    const ByteResult result = BpsPatch::Apply(image, patch.Bytes);
    QVERIFY(!result.Ok());
    QVERIFY(result.WrongBase);
    QCOMPARE(result.ExpectedCrc, Crc32(Source));
    QCOMPARE(result.ActualCrc, Crc32(image));
    QVERIFY(result.Bytes.isEmpty());
    QVERIFY2(result.Error.contains(Crc32Text(Crc32(Source))) &&
                 result.Error.contains(Crc32Text(Crc32(image))),
             qPrintable(result.Error));
}

void TestBpsPatch::damagedPatchesAreRefused_data() {
    QTest::addColumn<QByteArray>("patch");
    QTest::addColumn<QString>("reason");
    const QByteArray target = QByteArrayLiteral("ABCD");
    const auto patchOf = [&](const PatchBuilder &builder) {
        return builder.Finish(Source, target);
    };
    const QByteArray good = patchOf(PatchBuilder(8, 4).Action(SourceRead, 4));
    QVERIFY(BpsPatch::Apply(Source, good).Ok());

    QByteArray flipped = good;
    flipped[5] = static_cast<char>(flipped[5] ^ 0x01);
    QTest::newRow("a byte changed") << flipped << QStringLiteral("CRC32");
    QTest::newRow("footer cut") << good.left(good.size() - 1) << QStringLiteral("CRC32");
    QTest::newRow("only the magic") << QByteArray("BPS1") << QStringLiteral("truncated");
    QTest::newRow("not BPS") << QByteArray("PATCHEOF") << QStringLiteral("BPS1");
    QTest::newRow("source read past the source")
        << PatchBuilder(8, 10).Action(SourceRead, 10).Finish(Source, "ABCDEFGH\0\0")
        << QStringLiteral("end of the source");
    QTest::newRow("action past the target")
        << patchOf(PatchBuilder(8, 4).Action(SourceRead, 5)) << QStringLiteral("the target");
    QTest::newRow("target read cut short")
        << patchOf(PatchBuilder(8, 4).Action(TargetRead, 4).Raw("AB"))
        << QStringLiteral("cut short");
    QTest::newRow("source copy before the start")
        << patchOf(PatchBuilder(8, 4).Copy(SourceCopy, 4, -1)) << QStringLiteral("the source");
    QTest::newRow("source copy past the end")
        << patchOf(PatchBuilder(8, 4).Copy(SourceCopy, 4, 6)) << QStringLiteral("the source");
    QTest::newRow("target copy of bytes not yet written")
        << patchOf(PatchBuilder(8, 4).Copy(TargetCopy, 4, 0)) << QStringLiteral("written so far");
    QTest::newRow("copy offset missing")
        << patchOf(PatchBuilder(8, 4).Action(SourceRead, 1).Action(TargetCopy, 3))
        << QStringLiteral("cut short");
    QTest::newRow("actions end early")
        << patchOf(PatchBuilder(8, 4).Action(SourceRead, 3)) << QStringLiteral("3 of the 4");
    QTest::newRow("result differs from the target")
        << patchOf(PatchBuilder(8, 4).Action(SourceRead, 3).Action(TargetRead, 1).Raw("x"))
        << QStringLiteral("the patch expects");
    QTest::newRow("target larger than 16 MiB")
        << patchOf(PatchBuilder(8, BpsPatch::MaxImageSize + 1)) << QStringLiteral("16 MiB");
    QTest::newRow("endless number")
        << PatchBuilder(8, 4).Raw(QByteArray(12, '\x7F')).Finish(Source, target)
        << QStringLiteral("truncated");
    QTest::newRow("metadata longer than the patch")
        << PatchBuilder(8, 4, QByteArray(40, 'm')).Finish(Source, target).remove(7, 30)
        << QStringLiteral("truncated");
}

void TestBpsPatch::damagedPatchesAreRefused() {
    QFETCH(QByteArray, patch);
    QFETCH(QString, reason);
    const ByteResult result = BpsPatch::Apply(Source, patch);
    QVERIFY(!result.Ok());
    QVERIFY(!result.WrongBase);
    QVERIFY(result.Bytes.isEmpty());
    QVERIFY2(result.Error.contains(reason), qPrintable(result.Error));
}

void TestBpsPatch::headerAndDescriptionReadBack() {
    const QByteArray target = QByteArrayLiteral("ABCDxyGH!");
    const ByteResult patch = BpsPatch::Create(Source, target, QByteArray("made by hand"));
    const std::optional<BpsPatch::Header> header = BpsPatch::ReadHeader(patch.Bytes);
    QVERIFY(header);
    QCOMPARE(header->SourceSize, uint64_t(8));
    QCOMPARE(header->TargetSize, uint64_t(9));
    QCOMPARE(header->PatchCrc, Crc32(patch.Bytes.chopped(4)));
    QCOMPARE(BpsFormat().Describe(patch.Bytes),
             QStringLiteral("BPS, %1 actions, %2 bytes; source 8 bytes CRC32 %3, target 9 bytes "
                            "CRC32 %4; metadata: made by hand")
                 .arg(BpsPatch::ActionCount(patch.Bytes))
                 .arg(patch.Bytes.size())
                 .arg(Crc32Text(Crc32(Source)), Crc32Text(Crc32(target))));
    QCOMPARE(Crc32Text(Crc32(QByteArray("123456789"))), QStringLiteral("CBF43926"));
}

void TestBpsPatch::formatIsChosenByHeaderAndSuffix() {
    QCOMPARE(FormatOfPatch(QByteArray("BPS1...")), &BpsFormat());
    QCOMPARE(FormatOfPatch(QByteArray("PATCHEOF")), &IpsFormat());
    QCOMPARE(FormatOfPatch(QByteArray("BPS")), nullptr);
    QCOMPARE(&FormatForFileName(QStringLiteral("hack.IPS")), &IpsFormat());
    QCOMPARE(&FormatForFileName(QStringLiteral("hack.bps")), &BpsFormat());
    QCOMPARE(&FormatForFileName(QStringLiteral("hack.ips.txt")), &BpsFormat());
}

QTEST_GUILESS_MAIN(TestBpsPatch)
#include "tst_bpspatch.moc"
