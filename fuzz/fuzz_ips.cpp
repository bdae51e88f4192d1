// IPS patches: the bytes applied as a patch to a small image, then split in two halves, the
// patch from the first half to the second made and applied to the first, which must give
// the second back exactly.
#include "FuzzSupport.h"
#include "IpsPatch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    IpsPatch::Apply(SmallPatchImage(), input);

    const QByteArray original = input.left(input.size() / 2);
    const QByteArray edited = input.mid(input.size() / 2);
    const ByteResult patch = IpsPatch::Create(original, edited);
    Require(patch.Ok(), "a patch between small images can be made");
    const ByteResult rebuilt = IpsPatch::Apply(original, patch.Bytes);
    Require(rebuilt.Ok() && rebuilt.Bytes == edited,
            "a made patch turns the original into the edited");
    return 0;
}
