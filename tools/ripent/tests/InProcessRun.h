#pragma once

#include "tools/ripent/Ripent.h"

#include <filesystem>
#include <sstream>
#include <string>

namespace lw::ripent::testing {

struct InProcessRun {
    int exitCode;
    std::string output;
    std::string errors;
};

// One command through the tool's entry point, in this process, on the given file system.
inline InProcessRun RunInProcess(FileSystem& files, const std::string& option, const std::filesystem::path& file)
{
    std::ostringstream output, errors;
    const int exitCode = RunRipent({Argument(option.begin(), option.end()), file.native()}, files, output, errors);
    return {exitCode, output.str(), errors.str()};
}

inline InProcessRun RunInProcess(const std::string& option, const std::filesystem::path& file)
{
    const auto files = MakeRealFileSystem();
    return RunInProcess(*files, option, file);
}

} // namespace lw::ripent::testing
