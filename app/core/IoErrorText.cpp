#include "app/core/IoErrorText.h"

namespace lw::app {

std::string IoErrorText(unsigned long code) {
    switch (code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    default: return "I/O error " + std::to_string(code);
    }
}

}  // namespace lw::app
