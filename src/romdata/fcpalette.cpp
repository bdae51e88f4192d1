#include "fcpalette.h"

#include "UserPrompt.h"

#include <QFile>

std::unique_ptr<FcPaletteData> FcPaletteData::Load(const QString &fileName, UserPrompt &prompt) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        prompt.ShowMessage(tr("%1が読み込めませんでした").arg(fileName));
        return nullptr;
    }
    if (file.size() != FileSize) {
        prompt.ShowMessage(tr("%1のサイズが不正です").arg(fileName));
        return nullptr;
    }
    std::unique_ptr<FcPaletteData> table(new FcPaletteData);
    if (file.read(reinterpret_cast<char *>(table->FileBytes.data()), FileSize) != FileSize) {
        // The length was right but the bytes could not be read: the file is unreadable.
        prompt.ShowMessage(tr("%1が読み込めませんでした").arg(fileName));
        return nullptr;
    }
    for (int i = 0; i < ColourCount; ++i) {
        const uint32_t red = table->FileBytes[3 * i];
        const uint32_t green = table->FileBytes[3 * i + 1];
        const uint32_t blue = table->FileBytes[3 * i + 2];
        table->Colours[i] = red | (green << 8) | (blue << 16);
    }
    return table;
}

uint32_t FcPaletteData::Colour(int index) const {
    // The console's palette memory keeps only six bits of a colour index, so an image byte
    // of 0x40 or more shows the colour of its low six bits; no read leaves the table.
    return Colours[static_cast<size_t>(index & (ColourCount - 1))];
}
