#include "app/tests/WindowTestSupport.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace lw::app::testing {

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    path_ = std::filesystem::path(base) /
            (L"lw-app-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
        SetFileAttributesW(entry.path().c_str(), entry.is_directory() ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL);
    }
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::AddFile(const std::wstring& name, const std::string& bytes) const {
    const auto file = path_ / name;
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create a test file");
    DWORD written = 0;
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(handle);
    return file;
}

std::filesystem::path TempFolder::AddFolder(const std::wstring& name) const {
    const auto folder = path_ / name;
    if (!CreateDirectoryW(folder.c_str(), nullptr)) throw std::runtime_error("cannot create a test folder");
    return folder;
}

std::string ReadFileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        platform::Application->ProcessMessages();
    }
    return true;
}

void PumpFor(std::chrono::milliseconds duration) {
    PumpUntil([] { return false; }, duration);
}

MainWindowFixture::MainWindowFixture() : previousDirectory_(std::filesystem::current_path()) {}

MainWindowFixture::~MainWindowFixture() {
    form_.reset();
    // The listing leaves the map folder current; give it back so the folder can go.
    std::filesystem::current_path(previousDirectory_);
}

TForm1& MainWindowFixture::Open() {
    form_ = std::make_unique<TForm1>(nullptr, services);
    return *form_;
}

void MainWindowFixture::WriteConfiguration(const std::string& text) const {
    std::ofstream(ConfigurationFile(), std::ios::binary) << text;
}

}  // namespace lw::app::testing
