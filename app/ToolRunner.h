#pragma once
#include <string>

#include "app/core/EntitySeams.h"
#include "platform/Launcher.h"

namespace lw::app {

// Runs the entity tool and waits for it on the user-interface thread: the windows keep
// painting, input is thrown away, and the busy pointer shows until the tool ends.
class ToolRunner : public Launcher {
public:
    ToolRunner(platform::Launcher& launcher, std::wstring toolPath);

    ToolRun RunTool(const std::string& parameters, const std::string& workingFolder,
                    std::chrono::milliseconds timeout) override;

    // ripent.exe in the folder of the running executable.
    static std::wstring ToolBesideExecutable();

private:
    platform::Launcher& launcher_;
    std::wstring toolPath_;
};

}  // namespace lw::app
