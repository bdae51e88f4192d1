#pragma once

#include "byteresult.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

/// The CRC32 of `bytes` (the checksum of zip, PNG and BPS).
uint32_t Crc32(const QByteArray &bytes);
/// A CRC32 as eight upper-case hexadecimal digits, as patching tools show it.
QString Crc32Text(uint32_t crc);

/// One patch format: how a patch is made, applied and described. The tool and the editor
/// choose a format by a file's suffix when writing and by the patch's header when reading,
/// and otherwise treat every format alike.
class PatchFormat {
public:
    virtual ~PatchFormat() = default;
    /// "IPS", "BPS".
    virtual QString Name() const = 0;
    /// The file name suffix without the dot: "ips", "bps".
    virtual QString Suffix() const = 0;
    /// Whether `patch` begins with this format's header.
    virtual bool Recognises(const QByteArray &patch) const = 0;
    virtual ByteResult Create(const QByteArray &original, const QByteArray &edited) const = 0;
    virtual ByteResult Apply(const QByteArray &image, const QByteArray &patch) const = 0;
    /// What the patch holds, in one line for the tool's output.
    virtual QString Describe(const QByteArray &patch) const = 0;
};

const PatchFormat &IpsFormat();
const PatchFormat &BpsFormat();
/// The format whose header `patch` begins with; null for neither.
const PatchFormat *FormatOfPatch(const QByteArray &patch);
/// The format a patch file called `path` is written in: IPS for the suffix ".ips" (in any
/// case), BPS for every other name, since BPS is the one that checks its base.
const PatchFormat &FormatForFileName(const QString &path);
