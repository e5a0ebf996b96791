#pragma once
#include <stdexcept>
#include <string>

namespace lw::platform {

// A failure the user is told about: file, conversion and format errors. The text is UTF-8 and
// is what the application's general error report shows.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace lw::platform
