#pragma once
#include "platform/IniStore.h"
#include "platform/Launcher.h"

namespace lw::app {

// The outside world of the application's windows: the configuration file and other programs.
// The program entry passes the real ones; tests pass their own.
struct AppServices {
    platform::IniStore& Configuration;
    platform::Launcher& Programs;
};

}  // namespace lw::app
