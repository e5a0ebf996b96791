#pragma once
#include <string>

namespace lw::app::testing {

// This test program doubles as a stand-in for the entity tool: started with the environment
// variable below set, it does what the value says and ends before any test runs.
//   "exit:N"      ends with code N
//   "fail:TEXT"   writes TEXT and a line break to its standard error, as UTF-8, and ends with 2
//   "say:TEXT"    writes TEXT and a line break to its standard output, as UTF-8, and ends with 0
//   "sleep:MS"    sleeps, then writes "slept" to the file named by its last argument
//   "echo"        writes its working folder and then each argument, one a line, to the file
//                 named by its last argument, and ends with 0
//   "real:PATH"   runs the program PATH with the same arguments and ends with its exit code
//   "@FILE"       reads the behaviour from FILE at every start, so a test can change it while
//                 the application that starts the tool keeps running
inline constexpr wchar_t kToolDoubleVariable[] = L"LW_TOOL_DOUBLE";
// When set, names a file to which every start of the double adds a line, so a test can count
// the tool's runs.
inline constexpr wchar_t kToolTallyVariable[] = L"LW_TOOL_TALLY";

// Sets the variable for programs started from now on; an empty value removes it.
void SetToolDouble(const std::wstring& behaviour);
void SetToolTally(const std::wstring& file);

// This executable's path.
std::wstring ThisExecutable();

}  // namespace lw::app::testing
