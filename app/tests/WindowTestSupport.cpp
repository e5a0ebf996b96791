#include "app/tests/WindowTestSupport.h"

#include <fstream>
#include <iterator>

namespace lw::app::testing {

std::string ReadFileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

MainWindowFixture::MainWindowFixture() : previousDirectory_(std::filesystem::current_path()) {}

MainWindowFixture::~MainWindowFixture() {
    form_.reset();
    // The listing leaves the map folder current; give it back so the folder can go.
    std::filesystem::current_path(previousDirectory_);
}

TMainForm& MainWindowFixture::Open() {
    // The window of an earlier start goes first, with its skin manager: one start at a time.
    form_.reset();
    form_ = std::make_unique<TMainForm>(nullptr, services);
    return *form_;
}

void MainWindowFixture::WriteConfiguration(const std::string& text) const {
    std::ofstream(ConfigurationFile(), std::ios::binary) << text;
}

}  // namespace lw::app::testing
