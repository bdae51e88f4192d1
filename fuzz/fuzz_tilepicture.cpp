// Tile pictures: any bytes read as the picture of one tile window are either refused with a
// reason and no tiles, or give 128 tiles that, put into the CHR data, change nothing outside
// that window and come back unchanged through a picture written of them.
#include "FuzzSupport.h"
#include "PictureFile.h"
#include "tilepicture.h"

#include <cstring>
#include <memory>

namespace {

constexpr int32_t ChrBase = 16;
constexpr int32_t ChrLength = 0x2000;
constexpr int32_t ImageSize = ChrBase + ChrLength;

const ImageBuffer &PatternImage() {
    static const auto image = [] {
        auto bytes = std::make_unique<ImageBuffer>();
        for (int32_t i = 0; i < ImageSize; ++i)
            (*bytes)[i] = static_cast<uint8_t>(i * 13 + (i >> 9));
        return bytes;
    }();
    return *image;
}

const TilePicture::Colours Palette = {0xFF102030, 0xFFC00000, 0xFF00C000, 0xFF0000C0};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    EnsureGuiApplication();
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const TilePicture::ReadResult read = TilePicture::Read(input, WindowTileCount, Palette);
    if (!read.Ok()) {
        Require(read.Tiles.empty(), "a refused picture gives no tiles");
        return 0;
    }
    Require(read.Tiles.size() == WindowTileCount, "a read picture gives one window of tiles");

    const bool recording = true;
    ChrTiles tiles(recording);
    tiles.Load(PatternImage(), ImageSize, ChrBase, ChrLength);
    std::vector<int> numbers;
    for (int index = 0; index < WindowTileCount; ++index)
        numbers.push_back(tiles.WindowTile(2, index));
    tiles.SetTiles(TilePicture::Changes(numbers, read.Tiles));

    static auto stored = std::make_unique<ImageBuffer>();
    *stored = PatternImage();
    tiles.StoreChanged(*stored);
    const int32_t windowStart = tiles.TileOffset(numbers.front());
    const int32_t windowEnd = tiles.TileOffset(numbers.back()) + TileByteCount;
    Require(std::memcmp(stored->data(), PatternImage().data(), windowStart) == 0 &&
                std::memcmp(stored->data() + windowEnd, PatternImage().data() + windowEnd,
                            ImageSize - windowEnd) == 0,
            "an import changes nothing outside its window");

    const TilePicture::ReadResult again = TilePicture::Read(
        PngBytes(TilePicture::Picture(tiles, numbers, Palette)), WindowTileCount, Palette);
    Require(again.Ok() && again.Tiles == read.Tiles, "the written picture reads back the same");
    return 0;
}
