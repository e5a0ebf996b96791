#pragma once
#include "app/core/SkinChoice.h"
#include "platform/IniStore.h"
#include "platform/Launcher.h"

namespace lw::app {

// The outside world of the application's windows: the configuration file and other programs.
// The program entry passes the real ones; tests pass their own.
struct AppServices {
    platform::IniStore& Configuration;
    platform::Launcher& Programs;
    // The look the program started with and the one the user last kept in Settings (Apply, OK):
    // the main window's close writes the kept one when it is another, so that a preview never
    // reaches the file and a skin missing for one run is not forgotten.
    SkinChoice StartedSkin{};
    SkinChoice KeptSkin{};
};

}  // namespace lw::app
