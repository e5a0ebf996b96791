#pragma once
#include <exception>

namespace lw::platform {

// The general error report: shows what escaped a handler and lets the program go on. Window
// procedures and the event loop call it, since no exception may unwind through the system.
void ReportException(std::exception_ptr error) noexcept;

}  // namespace lw::platform
