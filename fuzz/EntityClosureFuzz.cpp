// Fuzz target for the import and export as a pair: whatever entity file the import accepts
// leaves a map whose export gives the text back (line breaks and trailing NULs aside), and
// importing that export again leaves the map byte for byte as it is; whatever the import
// refuses leaves the map alone. The real tool, on files in memory, for maps of both layouts.
#include "tools/ripent/tests/Closure.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view entityFile(reinterpret_cast<const char*>(data), size);
    for (const auto& map : lw::ripent::testing::LayoutMaps()) {
        const std::string fault = lw::ripent::testing::ClosureFault(map, entityFile);
        if (!fault.empty()) {
            std::fprintf(stderr, "broken closure: %s\n", fault.c_str());
            std::abort();
        }
    }
    return 0;
}
