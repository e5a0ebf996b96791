#pragma once

#include <ostream>
#include <vector>

#include "tools/ripent/CommandLine.h"
#include "tools/ripent/FileSystem.h"

namespace lw::ripent {

inline constexpr int kExitUsage = 1;
inline constexpr int kExitFailure = 2;

// Runs one command (the arguments without the program name) and returns the exit code.
// Failures are reported as one line on `errors`, and leave the map as it was. A pattern runs
// every matching map so, one after another, and closes with a count on `output`.
int RunRipent(const std::vector<Argument>& arguments, FileSystem& files, std::ostream& output, std::ostream& errors);

}  // namespace lw::ripent
