#include "chipusage.h"

#include "HexText.h"
#include "editdata.h"

#include <array>
#include <vector>

namespace {

constexpr int NumberCount = 256;
constexpr int NumbersPerRow = 16;

/// One line per row of 16 numbers listing those that never occur in `table`; rows with
/// every number used give no line.
template <size_t N> QString ListUnusedNumbers(const std::array<uint8_t, N> &table) {
    std::array<bool, NumberCount> used{};
    for (uint8_t number : table)
        used[number] = true;

    QString text;
    for (int row = 0; row < NumberCount / NumbersPerRow; ++row) {
        QString line;
        for (int number = row * NumbersPerRow; number < (row + 1) * NumbersPerRow; ++number)
            if (!used[number])
                line += HexText(number) + QLatin1Char(' ');
        if (!line.isEmpty())
            text += line + QStringLiteral("\r\n");
    }
    return text;
}

/// A 32x32 chip and the later chips with the very same four 16x16 chip numbers.
struct DuplicateGroup {
    int Chip = 0;
    std::vector<int> Members;
};

bool Identical32x32Chips(const Chip32x32Table &table, int first, int second) {
    for (int quarter = 0; quarter < 4; ++quarter)
        if (table[first * 4 + quarter] != table[second * 4 + quarter])
            return false;
    return true;
}

/// Groups of identical chips, each under its smallest member. A chip taken into a group is
/// never examined again, so every group appears once.
std::vector<DuplicateGroup> DuplicateGroups(const StageData &stage) {
    const Chip32x32Table &table = stage.Chip32x32();
    std::array<bool, NumberCount> taken{};
    std::vector<DuplicateGroup> groups;
    for (int chip = 0; chip < NumberCount - 1; ++chip) {
        if (taken[chip])
            continue;
        DuplicateGroup group{chip, {}};
        for (int other = chip + 1; other < NumberCount; ++other) {
            if (!taken[other] && Identical32x32Chips(table, chip, other)) {
                taken[other] = true;
                group.Members.push_back(other);
            }
        }
        if (!group.Members.empty())
            groups.push_back(std::move(group));
    }
    return groups;
}

QString ListGroups(const StageData &stage, const QString &separator) {
    QString text;
    for (const DuplicateGroup &group : DuplicateGroups(stage)) {
        text += HexText(group.Chip) + separator;
        for (int member : group.Members)
            text += HexText(member) + QLatin1Char(' ');
        text += QStringLiteral("\r\n");
    }
    return text;
}

} // namespace

QString ListUnusedTiles(const StageData &stage) {
    return ListUnusedNumbers(stage.Chip16x16());
}

QString ListUnused16x16Chips(const StageData &stage) {
    return ListUnusedNumbers(stage.Chip32x32());
}

QString ListUnused32x32Chips(const StageData &stage) {
    return ListUnusedNumbers(stage.MapSet());
}

QString ListDuplicate32x32Chips(const StageData &stage) {
    return ListGroups(stage, QStringLiteral(" "));
}

QString ListDuplicateChips(const StageData &stage) {
    return ListGroups(stage, QStringLiteral(" <- "));
}

int ReplaceDuplicateChips(StageData &stage) {
    const std::vector<DuplicateGroup> groups = DuplicateGroups(stage);
    std::array<int, NumberCount> replacement{};
    for (int chip = 0; chip < NumberCount; ++chip)
        replacement[chip] = chip;
    for (const DuplicateGroup &group : groups)
        for (int member : group.Members)
            replacement[member] = group.Chip;

    int count = 0;
    for (uint8_t &entry : stage.MapSetForReplacement()) {
        if (replacement[entry] != entry) {
            entry = static_cast<uint8_t>(replacement[entry]);
            ++count;
        }
    }
    return count;
}
