// The cartridge image: the bytes opened as a file with the default table offsets, then
// everything a session shows of it, every table encoded back and saved.
#include "FuzzDocument.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzDocument document;
    if (!document.OpenBytes(
            QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size))))
        return 0;
    TourDocument(document, InputDigest(data, size));
    return 0;
}
