#pragma once

#include <QCoreApplication>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class UserPrompt;

/// The 64-entry master colour table, loaded from a 192-byte file of RGB triples.
/// Colours are 24-bit values 0xBBGGRR (red in bits 0..7).
class FcPaletteData {
    Q_DECLARE_TR_FUNCTIONS(FcPaletteData)

public:
    static constexpr int ColourCount = 64;
    static constexpr int FileSize = 192;

    /// Loads the table; on failure shows the file name followed by "が読み込めませんでした"
    /// or "のサイズが不正です" and returns nothing.
    static std::unique_ptr<FcPaletteData> Load(const QString &fileName, UserPrompt &prompt);

    /// The colour of a master index. Only the low six bits count, as on the console, whose
    /// palette memory keeps six bits: index 0x4F has the colour of 0x0F.
    uint32_t Colour(int index) const;

    const std::array<uint8_t, FileSize> &Bytes() const { return FileBytes; }

private:
    FcPaletteData() = default;
    std::array<uint8_t, FileSize> FileBytes{};
    std::array<uint32_t, ColourCount> Colours{};
};
