// BPS patches: the bytes applied as a patch to a small image must give a clean refusal or a
// result whose CRC32 is the one the patch names; then split in two halves, the patch from
// the first half to the second made and applied to the first, which must give the second
// back exactly.
#include "FuzzSupport.h"
#include "bpspatch.h"
#include "patchformat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ByteResult applied = BpsPatch::Apply(SmallPatchImage(), input);
    if (applied.Ok()) {
        const std::optional<BpsPatch::Header> header = BpsPatch::ReadHeader(input);
        Require(header && Crc32(applied.Bytes) == header->TargetCrc &&
                    static_cast<uint64_t>(applied.Bytes.size()) == header->TargetSize,
                "an applied patch gives the target it names");
    } else {
        Require(applied.Bytes.isEmpty() && !applied.Error.isEmpty(),
                "a refused patch gives a reason and no bytes");
    }
    BpsFormat().Describe(input);

    const QByteArray original = input.left(input.size() / 2);
    const QByteArray edited = input.mid(input.size() / 2);
    const ByteResult patch = BpsPatch::Create(original, edited);
    Require(patch.Ok(), "a patch between small images can be made");
    const ByteResult rebuilt = BpsPatch::Apply(original, patch.Bytes);
    Require(rebuilt.Ok() && rebuilt.Bytes == edited,
            "a made patch turns the original into the edited");
    return 0;
}
