// Replays a corpus without the fuzzer: every file of the folders named on the command line,
// in name order, goes once through the harness, which draws every picture. A folder without
// a single file is an error, so a lost corpus cannot pass unnoticed.
#include "FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

std::vector<std::filesystem::path> CorpusFiles(const char *folder) {
    std::vector<std::filesystem::path> files;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char **argv) {
    SetDrawEveryPicture(true);
    for (int a = 1; a < argc; ++a) {
        const std::vector<std::filesystem::path> files = CorpusFiles(argv[a]);
        if (files.empty()) {
            std::fprintf(stderr, "%s: no corpus files\n", argv[a]);
            return 1;
        }
        for (const std::filesystem::path &file : files) {
            // Named first: a failing input stops the program, and its name is the last line.
            std::printf("%s\n", file.c_str());
            std::fflush(stdout);
            std::ifstream stream(file, std::ios::binary);
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(stream),
                                             std::istreambuf_iterator<char>()};
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        }
        std::printf("%s: %zu inputs replayed\n", argv[a], files.size());
    }
    return argc > 1 ? 0 : 2;
}
