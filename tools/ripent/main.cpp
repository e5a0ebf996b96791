#include "tools/ripent/Ripent.h"

#include <iostream>

#ifdef _WIN32
// Wide arguments, so that map paths outside the system code page arrive intact.
int wmain(int argc, wchar_t** argv)
#else
int main(int argc, char** argv)
#endif
{
    const std::vector<lw::ripent::Argument> arguments(argv + 1, argv + argc);
    const auto files = lw::ripent::MakeRealFileSystem();
    return lw::ripent::RunRipent(arguments, *files, std::cout, std::cerr);
}
