#include "patchformat.h"

#include "IpsPatch.h"
#include "bpspatch.h"

#include <zlib.h>

uint32_t Crc32(const QByteArray &bytes) {
    return static_cast<uint32_t>(crc32_z(crc32_z(0L, Z_NULL, 0),
                                         reinterpret_cast<const Bytef *>(bytes.constData()),
                                         static_cast<z_size_t>(bytes.size())));
}

QString Crc32Text(uint32_t crc) {
    return QStringLiteral("%1").arg(crc, 8, 16, QLatin1Char('0')).toUpper();
}

namespace {

class IpsPatchFormat : public PatchFormat {
public:
    QString Name() const override { return QStringLiteral("IPS"); }
    QString Suffix() const override { return QStringLiteral("ips"); }
    bool Recognises(const QByteArray &patch) const override {
        return patch.startsWith(QByteArrayLiteral("PATCH"));
    }
    ByteResult Create(const QByteArray &original, const QByteArray &edited) const override {
        return IpsPatch::Create(original, edited);
    }
    ByteResult Apply(const QByteArray &image, const QByteArray &patch) const override {
        return IpsPatch::Apply(image, patch);
    }
    QString Describe(const QByteArray &patch) const override {
        const qsizetype records = IpsPatch::RecordCount(patch);
        if (records < 0)
            return QStringLiteral("IPS, malformed");
        return QStringLiteral("IPS, %1 records, %2 bytes; no checksums: the base is not checked")
            .arg(records)
            .arg(patch.size());
    }
};

class BpsPatchFormat : public PatchFormat {
public:
    QString Name() const override { return QStringLiteral("BPS"); }
    QString Suffix() const override { return QStringLiteral("bps"); }
    bool Recognises(const QByteArray &patch) const override {
        return patch.startsWith(QByteArrayLiteral("BPS1"));
    }
    ByteResult Create(const QByteArray &original, const QByteArray &edited) const override {
        return BpsPatch::Create(original, edited);
    }
    ByteResult Apply(const QByteArray &image, const QByteArray &patch) const override {
        return BpsPatch::Apply(image, patch);
    }
    QString Describe(const QByteArray &patch) const override {
        const std::optional<BpsPatch::Header> header = BpsPatch::ReadHeader(patch);
        const qsizetype actions = BpsPatch::ActionCount(patch);
        if (!header || actions < 0)
            return QStringLiteral("BPS, malformed");
        QString text = QStringLiteral("BPS, %1 actions, %2 bytes; source %3 bytes CRC32 %4, "
                                      "target %5 bytes CRC32 %6")
                           .arg(actions)
                           .arg(patch.size())
                           .arg(header->SourceSize)
                           .arg(Crc32Text(header->SourceCrc))
                           .arg(header->TargetSize)
                           .arg(Crc32Text(header->TargetCrc));
        if (!header->Metadata.isEmpty())
            text += QStringLiteral("; metadata: ") + QString::fromUtf8(header->Metadata);
        return text;
    }
};

} // namespace

const PatchFormat &IpsFormat() {
    static const IpsPatchFormat format;
    return format;
}

const PatchFormat &BpsFormat() {
    static const BpsPatchFormat format;
    return format;
}

const PatchFormat *FormatOfPatch(const QByteArray &patch) {
    for (const PatchFormat *format : {&BpsFormat(), &IpsFormat()}) {
        if (format->Recognises(patch))
            return format;
    }
    return nullptr;
}

const PatchFormat &FormatForFileName(const QString &path) {
    return path.endsWith(QStringLiteral(".ips"), Qt::CaseInsensitive) ? IpsFormat() : BpsFormat();
}
