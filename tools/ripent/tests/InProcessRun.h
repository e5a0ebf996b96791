#pragma once

#include "tools/ripent/Ripent.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace lw::ripent::testing {

struct InProcessRun {
    int exitCode;
    std::string output;
    std::string errors;
};

// One command through the tool's entry point, in this process, on the given file system: the
// words, then the file.
inline InProcessRun RunInProcess(FileSystem& files, const std::vector<std::string>& words,
                                 const std::filesystem::path& file) {
    std::vector<Argument> arguments;
    for (const auto& word : words) arguments.emplace_back(word.begin(), word.end());
    arguments.push_back(file.native());
    std::ostringstream output, errors;
    const int exitCode = RunRipent(arguments, files, output, errors);
    return {exitCode, output.str(), errors.str()};
}

inline InProcessRun RunInProcess(FileSystem& files, const std::string& option, const std::filesystem::path& file) {
    return RunInProcess(files, std::vector<std::string>{option}, file);
}

inline InProcessRun RunInProcess(const std::string& option, const std::filesystem::path& file) {
    const auto files = MakeRealFileSystem();
    return RunInProcess(*files, option, file);
}

}  // namespace lw::ripent::testing
