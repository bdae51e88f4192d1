#include "IpsPatch.h"

#include <QRandomGenerator>
#include <QTest>

/// IPS patches made from two images and applied again: exact records for small cases,
/// byte-for-byte round trips for random and awkward edits, refusal of bad patches.
class TestIpsPatch : public QObject {
    Q_OBJECT

private slots:
    void createWritesExpectedRecords_data();
    void createWritesExpectedRecords();
    void roundTripReproducesEdited_data();
    void roundTripReproducesEdited();
    void runLengthRecordsKeepPatchesShort();
    void imagesOver16MiBAreRefused();
    void applyExtendsAndTruncates();
    void malformedPatchesAreRefused_data();
    void malformedPatchesAreRefused();
    void recordCount_data();
    void recordCount();
};

namespace {

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

QByteArray RandomBytes(QRandomGenerator &random, qsizetype size) {
    QByteArray bytes(size, '\0');
    for (auto &b : bytes)
        b = static_cast<char>(random.bounded(256));
    return bytes;
}

// The record offsets of a well-formed patch, for checking where records start.
QList<qsizetype> RecordOffsets(const QByteArray &patch) {
    QList<qsizetype> offsets;
    qsizetype pos = 5;
    const auto at = [&](qsizetype i) { return static_cast<uint8_t>(patch[i]); };
    while (pos + 3 <= patch.size()) {
        const qsizetype offset = (at(pos) << 16) | (at(pos + 1) << 8) | at(pos + 2);
        if (offset == IpsPatch::EofOffset)
            break;
        offsets << offset;
        const qsizetype size = (at(pos + 3) << 8) | at(pos + 4);
        pos += 5 + (size == 0 ? 3 : size);
    }
    return offsets;
}

} // namespace

void TestIpsPatch::createWritesExpectedRecords_data() {
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<QByteArray>("edited");
    QTest::addColumn<QByteArray>("patch");

    const QByteArray zeros(32, '\0');
    QTest::newRow("identical") << zeros << zeros << QByteArray("PATCHEOF");

    QByteArray one = zeros;
    one[3] = 1;
    QTest::newRow("one byte") << zeros << one
                              << QByteArray("PATCH") + Bytes({0, 0, 3, 0, 1, 1}) + "EOF";

    // Two changes 4 bytes apart: carrying the gap is cheaper than a second header.
    QByteArray gap = zeros;
    gap[2] = 9;
    gap[7] = 8;
    QTest::newRow("small gap joined")
        << zeros << gap << QByteArray("PATCH") + Bytes({0, 0, 2, 0, 6, 9, 0, 0, 0, 0, 8}) + "EOF";

    // Five bytes apart: two records cost the same as one, and the gap is not carried.
    QByteArray apart = zeros;
    apart[2] = 9;
    apart[8] = 8;
    QTest::newRow("wide gap split")
        << zeros << apart
        << QByteArray("PATCH") + Bytes({0, 0, 2, 0, 1, 9, 0, 0, 8, 0, 1, 8}) + "EOF";

    QByteArray run = zeros;
    run.replace(4, 16, QByteArray(16, 7));
    QTest::newRow("run") << zeros << run
                         << QByteArray("PATCH") + Bytes({0, 0, 4, 0, 0, 0, 16, 7}) + "EOF";

    // A run of 4 alone is cheaper as a run-length record (8 bytes) than as data (9).
    QByteArray shortRun = zeros;
    shortRun.replace(4, 4, QByteArray(4, 7));
    QTest::newRow("short run alone")
        << zeros << shortRun << QByteArray("PATCH") + Bytes({0, 0, 4, 0, 0, 0, 4, 7}) + "EOF";

    // Inside changed data the same run would cost two more headers: it stays data.
    QByteArray embedded = zeros;
    embedded.replace(4, 6, Bytes({1, 7, 7, 7, 7, 2}));
    QTest::newRow("short run embedded")
        << zeros << embedded
        << QByteArray("PATCH") + Bytes({0, 0, 4, 0, 6, 1, 7, 7, 7, 7, 2}) + "EOF";

    // A run, then a few literal bytes: one run-length record and one short data record,
    // 8 + 7 bytes, where a single data record would take 23.
    QByteArray runThenLiterals = zeros;
    runThenLiterals.replace(4, 16, QByteArray(16, 7));
    runThenLiterals.replace(20, 2, Bytes({1, 2}));
    QTest::newRow("run then literals")
        << zeros << runThenLiterals
        << QByteArray("PATCH") + Bytes({0, 0, 4, 0, 0, 0, 16, 7, 0, 0, 20, 0, 2, 1, 2}) + "EOF";

    QTest::newRow("shorter") << zeros << zeros.left(10)
                             << QByteArray("PATCHEOF") + Bytes({0, 0, 10});

    // Bytes beyond the original's end are written even when they are zero.
    QTest::newRow("longer") << zeros.left(2) << zeros.left(3)
                            << QByteArray("PATCH") + Bytes({0, 0, 2, 0, 1, 0}) + "EOF";
}

void TestIpsPatch::createWritesExpectedRecords() {
    QFETCH(QByteArray, original);
    QFETCH(QByteArray, edited);
    QFETCH(QByteArray, patch);

    const ByteResult result = IpsPatch::Create(original, edited);
    QVERIFY2(result.Ok(), qPrintable(result.Error));
    QCOMPARE(result.Bytes.toHex(' '), patch.toHex(' '));
}

void TestIpsPatch::roundTripReproducesEdited_data() {
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<QByteArray>("edited");

    QRandomGenerator random(1234);
    const QByteArray base = RandomBytes(random, 0x20000);
    for (int round = 0; round < 6; ++round) {
        QByteArray edited = base;
        const int edits = 1 + random.bounded(200);
        for (int e = 0; e < edits; ++e) {
            const int at = random.bounded(static_cast<int>(edited.size()) - 300);
            const int length = 1 + random.bounded(random.bounded(2) ? 4 : 300);
            const QByteArray fill = random.bounded(2)
                                        ? RandomBytes(random, length)
                                        : QByteArray(length, static_cast<char>(random.bounded(3)));
            edited.replace(at, length, fill);
        }
        QTest::addRow("random edits %d", round) << base << edited;
    }
    QTest::newRow("longer") << base.left(1000) << base.left(900) + RandomBytes(random, 5000);
    QTest::newRow("shorter") << base << base.left(777);
    QTest::newRow("from empty") << QByteArray() << base.left(100);
    QTest::newRow("to empty") << base.left(100) << QByteArray();
    QByteArray longRun = base;
    longRun.replace(10, 0x25000 - 10, QByteArray(0x25000 - 10, 'x')); // longer than a record
    QTest::newRow("run over the record limit") << base << longRun;

    // Around the offset that reads as "EOF", in an image large enough to hold it.
    const qsizetype eof = IpsPatch::EofOffset;
    const QByteArray large = RandomBytes(random, 0x460000);
    QByteArray single = large;
    single[eof] = static_cast<char>(~single[eof]);
    QTest::newRow("byte at EOF offset") << large << single;
    QByteArray runAtEof = large;
    runAtEof.replace(eof, 40, QByteArray(40, 'r'));
    QTest::newRow("run at EOF offset") << large << runAtEof;
    QByteArray oneByteRun = large;
    oneByteRun.replace(eof - 1, 1, QByteArray(1, static_cast<char>(~large[eof - 1])));
    oneByteRun.replace(eof, 20, QByteArray(20, 's'));
    QTest::newRow("run at EOF offset after a change") << large << oneByteRun;
    // Changed data long enough that a record boundary falls on the EOF offset.
    QByteArray boundary = large;
    for (qsizetype i = eof - IpsPatch::MaxRecordSize; i < eof + 10; ++i)
        boundary[i] = static_cast<char>(~boundary[i]);
    QTest::newRow("record boundary at EOF offset") << large << boundary;
    QByteArray runBoundary = large;
    runBoundary.replace(eof - IpsPatch::MaxRecordSize, IpsPatch::MaxRecordSize + 10,
                        QByteArray(IpsPatch::MaxRecordSize + 10, 'q'));
    QTest::newRow("run boundary at EOF offset") << large << runBoundary;
    QTest::newRow("cut at EOF offset") << large << large.left(eof);
}

void TestIpsPatch::roundTripReproducesEdited() {
    QFETCH(QByteArray, original);
    QFETCH(QByteArray, edited);

    const ByteResult patch = IpsPatch::Create(original, edited);
    QVERIFY2(patch.Ok(), qPrintable(patch.Error));
    QVERIFY(!RecordOffsets(patch.Bytes).contains(IpsPatch::EofOffset));
    const ByteResult applied = IpsPatch::Apply(original, patch.Bytes);
    QVERIFY2(applied.Ok(), qPrintable(applied.Error));
    QCOMPARE(applied.Bytes.size(), edited.size());
    QVERIFY(applied.Bytes == edited);
}

void TestIpsPatch::runLengthRecordsKeepPatchesShort() {
    const QByteArray original(0x30000, '\0');
    QByteArray edited = original;
    edited.replace(0x100, 0x20000, QByteArray(0x20000, '\x5A'));
    const ByteResult patch = IpsPatch::Create(original, edited);
    QVERIFY(patch.Ok());
    // 0x20000 bytes need three run-length records of at most 0xFFFF bytes: 5 + 3 x 8 + 3.
    QCOMPARE(patch.Bytes.size(), 32);
    QCOMPARE(IpsPatch::Apply(original, patch.Bytes).Bytes, edited);
}

void TestIpsPatch::imagesOver16MiBAreRefused() {
    const QByteArray limit(IpsPatch::MaxImageSize, '\0');
    const QByteArray over(IpsPatch::MaxImageSize + 1, '\0');
    QByteArray lastByte = limit;
    lastByte[IpsPatch::MaxImageSize - 1] = 1;

    const ByteResult atLimit = IpsPatch::Create(limit, lastByte);
    QVERIFY2(atLimit.Ok(), qPrintable(atLimit.Error));
    QCOMPARE(IpsPatch::Apply(limit, atLimit.Bytes).Bytes, lastByte);

    const ByteResult tooLargeOriginal = IpsPatch::Create(over, limit);
    QVERIFY(!tooLargeOriginal.Ok());
    QVERIFY(tooLargeOriginal.Error.contains(QStringLiteral("16 MiB")));
    QVERIFY(tooLargeOriginal.Bytes.isEmpty());
    QVERIFY(!IpsPatch::Create(limit, over).Ok());
    QVERIFY(!IpsPatch::Apply(over, QByteArray("PATCHEOF")).Ok());
}

void TestIpsPatch::applyExtendsAndTruncates() {
    const QByteArray image = Bytes({1, 2, 3, 4});
    // A run beyond the end, then data overlapping it: the gap is filled with zeros.
    const QByteArray grow =
        QByteArray("PATCH") + Bytes({0, 0, 6, 0, 0, 0, 3, 9, 0, 0, 7, 0, 1, 5}) + "EOF";
    QCOMPARE(IpsPatch::Apply(image, grow).Bytes, Bytes({1, 2, 3, 4, 0, 0, 9, 5, 9}));

    const QByteArray cut =
        QByteArray("PATCH") + Bytes({0, 0, 0, 0, 1, 7}) + "EOF" + Bytes({0, 0, 2});
    QCOMPARE(IpsPatch::Apply(image, cut).Bytes, Bytes({7, 2}));
}

void TestIpsPatch::malformedPatchesAreRefused_data() {
    QTest::addColumn<QByteArray>("patch");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("wrong header") << QByteArray("PATCHXEOF").mid(1);
    QTest::newRow("no EOF") << QByteArray("PATCH");
    QTest::newRow("record without EOF") << QByteArray("PATCH") + Bytes({0, 0, 1, 0, 1, 5});
    QTest::newRow("offset cut") << QByteArray("PATCH") + Bytes({0, 0});
    QTest::newRow("size cut") << QByteArray("PATCH") + Bytes({0, 0, 1, 0});
    QTest::newRow("data cut") << QByteArray("PATCH") + Bytes({0, 0, 1, 0, 4, 5, 5});
    QTest::newRow("run cut") << QByteArray("PATCH") + Bytes({0, 0, 1, 0, 0, 0, 4});
    QTest::newRow("run of zero") << QByteArray("PATCH") + Bytes({0, 0, 1, 0, 0, 0, 0, 5}) + "EOF";
    QTest::newRow("bytes after EOF") << QByteArray("PATCHEOF") + Bytes({0, 0});
    QTest::newRow("cut beyond the end") << QByteArray("PATCHEOF") + Bytes({0, 0, 5});
}

void TestIpsPatch::malformedPatchesAreRefused() {
    QFETCH(QByteArray, patch);
    const ByteResult result = IpsPatch::Apply(QByteArray(4, '\x11'), patch);
    QVERIFY(!result.Ok());
    QVERIFY(!result.Error.isEmpty());
    QVERIFY(!result.Error.contains(u'\n'));
    QVERIFY(result.Bytes.isEmpty());
}

void TestIpsPatch::recordCount_data() {
    QTest::addColumn<QByteArray>("patch");
    QTest::addColumn<int>("records");
    const QByteArray header("PATCH");
    const QByteArray plain = Bytes({0, 0, 1, 0, 2, 7, 8});
    const QByteArray run = Bytes({0, 0, 9, 0, 0, 0, 4, 5});
    QTest::newRow("none") << header + "EOF" << 0;
    QTest::newRow("one plain") << header + plain + "EOF" << 1;
    QTest::newRow("run then plain") << header + run + plain + "EOF" << 2;
    QTest::newRow("plain, run, plain") << header + plain + run + plain + "EOF" << 3;
    QTest::newRow("with a cut length") << header + run + "EOF" + Bytes({0, 0, 4}) << 1;
    QTest::newRow("cut before EOF") << header + plain + run << -1;
    QTest::newRow("cut inside EOF") << header + plain + "EO" << -1;
    QTest::newRow("cut inside a record") << header + plain.left(4) << -1;
    QTest::newRow("wrong header") << QByteArray("PATCX") + "EOF" << -1;
}

void TestIpsPatch::recordCount() {
    QFETCH(QByteArray, patch);
    QTEST(int(IpsPatch::RecordCount(patch)), "records");
}

QTEST_GUILESS_MAIN(TestIpsPatch)
#include "tst_ipspatch.moc"
