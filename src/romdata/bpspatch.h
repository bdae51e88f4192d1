#pragma once

#include "byteresult.h"

#include <QByteArray>
#include <cstdint>
#include <optional>

/// BPS patches: "BPS1", the source size, the target size and the metadata, each size a
/// variable-length number; then the actions that write the target from its first byte to
/// its last (SourceRead: the source's byte at the same place, TargetRead: bytes carried in
/// the patch, SourceCopy and TargetCopy: bytes from elsewhere in the source or the target
/// written so far, at an offset relative to where the previous copy of that kind ended);
/// and last the CRC32 of the source, of the target and of the patch before this checksum.
///
/// The checksums make a patch refuse an image it was not made for, which IPS cannot do.
class BpsPatch {
public:
    /// Source and target are held in memory whole: larger images are refused.
    static constexpr qsizetype MaxImageSize = 0x1000000;
    static constexpr qsizetype FooterSize = 12;

    /// What the header and the footer of a patch say.
    struct Header {
        uint64_t SourceSize = 0;
        uint64_t TargetSize = 0;
        QByteArray Metadata;
        uint32_t SourceCrc = 0;
        uint32_t TargetCrc = 0;
        uint32_t PatchCrc = 0;
        qsizetype ActionsAt = 0; ///< patch offset of the first action
    };

    /// The patch that turns `source` into `target`, carrying `metadata` as it stands.
    static ByteResult Create(const QByteArray &source, const QByteArray &target,
                             const QByteArray &metadata = QByteArray());
    /// `source` with `patch` applied. Refused, with the reason, when the patch's own
    /// checksum does not match its bytes, when `source` is not the image the patch was made
    /// from (`WrongBase`, both checksums given), when an action reaches outside the source,
    /// the target or the patch, and when the result is not the target the patch describes.
    static ByteResult Apply(const QByteArray &source, const QByteArray &patch);
    /// The header and footer of a well-formed patch; nothing when it does not begin with
    /// "BPS1" or ends before its footer.
    static std::optional<Header> ReadHeader(const QByteArray &patch);
    /// The number of actions, or -1 when an action is cut short or reaches past the target.
    static qsizetype ActionCount(const QByteArray &patch);
};
