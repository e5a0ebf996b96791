#pragma once
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/AppServices.h"
#include "app/MainWindow.h"
#include "platform/Application.h"
#include "platform/IniStore.h"
#include "platform/Launcher.h"
#include "platform/Prompt.h"
#include "testsupport/TempFolder.h"
#include "testsupport/win32/MessagePump.h"

namespace lw::app::testing {

// Answers message boxes at once and keeps what they said.
class RecordingPrompt : public platform::Prompt {
public:
    struct Shown {
        std::string text, caption;
        UINT flags;
    };
    int Show(HWND, std::string_view text, std::string_view caption, UINT flags) override {
        shown.push_back({std::string(text), std::string(caption), flags});
        return IDOK;
    }
    std::vector<Shown> shown;
};

// Starts nothing; keeps the requests.
class RecordingLauncher : public platform::Launcher {
public:
    std::optional<platform::Process> Start(const platform::LaunchRequest& request) override {
        started.push_back(request);
        return platform::Process();
    }
    void OpenAddress(const std::wstring& address) override { opened.push_back(address); }
    std::vector<platform::LaunchRequest> started;
    std::vector<std::wstring> opened;
};

using testsupport::PumpFor;
using testsupport::PumpUntil;
using testsupport::TempFolder;

std::string ReadFileBytes(const std::filesystem::path& file);

// The main window on a configuration file in its own temporary folder.
class MainWindowFixture {
public:
    MainWindowFixture();
    ~MainWindowFixture();

    // Creates the window, which reads the configuration as it is by now.
    TMainForm& Open();
    TMainForm& Form() const { return *form_; }
    // Writes `text` as the whole configuration file.
    void WriteConfiguration(const std::string& text) const;
    std::filesystem::path ConfigurationFile() const { return folder.Path() / "configuration.ini"; }

    TempFolder folder;
    RecordingPrompt prompt;
    RecordingLauncher launcher;
    platform::TApplication application{prompt};
    platform::ProfileIniStore configuration{ConfigurationFile().wstring()};
    AppServices services{configuration, launcher};

private:
    std::unique_ptr<TMainForm> form_;
    std::filesystem::path previousDirectory_;
};

}  // namespace lw::app::testing
