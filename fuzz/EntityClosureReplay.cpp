// A short, deterministic pass through the import/export fuzz target for every test run: each
// entity file of the corpus (hand-written seeds and what libFuzzer kept for new coverage), and
// the files again with tokens of the grammar put in, cut out or swapped by a fixed-seed
// generator, where a closure fault would most likely hide.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::size_t runs = 0;

void Run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    ++runs;
}

std::string Mutated(std::string input, std::mt19937& random) {
    const std::string pieces[] = {"\"", "{",         "}",          "//",           "\n",   "\r\n",
                                  "\r", " ",         "\t",         "\xEF\xBB\xBF", "\x01", std::string(1, '\0'),
                                  "\\", "classname", "worldspawn", "\"\"",         "{}"};
    const int changes = 1 + int(random() % 3);
    for (int k = 0; k < changes; ++k) {
        const std::size_t at = input.empty() ? 0 : random() % (input.size() + 1);
        switch (random() % 3) {
        case 0:
            input.insert(at, pieces[random() % std::size(pieces)]);
            break;
        case 1:
            input.erase(at, 1 + random() % 4);
            break;
        default:
            if (at < input.size()) input[at] = char(random() % 256);
        }
    }
    return input;
}

}  // namespace

int main() {
    // In name order, so that every run mutates the same inputs the same way.
    std::vector<std::filesystem::path> names(std::filesystem::directory_iterator(LW_ENTITY_CORPUS), {});
    std::sort(names.begin(), names.end());
    std::vector<std::string> corpus;
    for (const auto& name : names) {
        std::ifstream in(name, std::ios::binary);
        corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::mt19937 random(20261211);
    for (const std::string& input : corpus) Run(input);
    for (std::size_t i = 0; i < 3000 && !corpus.empty(); ++i) Run(Mutated(corpus[i % corpus.size()], random));
    std::printf("%zu inputs from %zu corpus files\n", runs, corpus.size());
    return corpus.empty() ? 1 : 0;
}
