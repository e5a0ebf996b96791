// Runs the fuzz check over files and folders of inputs, without the fuzzing engine: the test
// suite's deterministic pass over the checked-in corpus. Names every input that fails.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "skin/fuzz/SkinFuzzCheck.h"

namespace {

struct Tally {
    int passed = 0;
    int failed = 0;
};

void RunFile(const std::filesystem::path& path, Tally& tally) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (const auto failure = CheckSkinInput(bytes.data(), bytes.size())) {
        std::printf("FAILED %s: %s\n", path.string().c_str(), failure->c_str());
        ++tally.failed;
    } else {
        ++tally.passed;
    }
}

}  // namespace

int main(int argc, char** argv) {
    Tally tally;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path p = argv[i];
        if (std::filesystem::is_directory(p)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(p))
                if (entry.is_regular_file()) RunFile(entry.path(), tally);
        } else {
            RunFile(p, tally);
        }
    }
    std::printf("%d passed, %d failed\n", tally.passed, tally.failed);
    return tally.passed > 0 && tally.failed == 0 ? 0 : 1;
}
