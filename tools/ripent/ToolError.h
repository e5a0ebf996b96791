#pragma once

#include <stdexcept>

namespace lw::ripent {

// A failure the tool reports as one line on stderr, saying what went wrong and where.
class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace lw::ripent
