#include "tools/ripent/tests/TestFiles.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "testsupport/ChildProcess.h"
#include "testsupport/HostPath.h"
#include "tools/ripent/Bsp.h"
#include "tools/ripent/MapIdentity.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace lw::ripent::testing {

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadText(const std::filesystem::path& path) {
    const auto bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

void Touch(const std::filesystem::path& path) {
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(2));
}

std::string IdentityOnDisk(const std::filesystem::path& map) {
    const auto bytes = ReadBytes(map);
    MapIdentity identity{bytes.size(), 0, HashText(EntityText(ParseBsp(bytes), bytes))};
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(map.c_str(), GetFileExInfoStandard, &data))
        throw std::runtime_error("cannot read the attributes of " + map.string());
    identity.modified =
        std::int64_t(std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime);
#else
    struct stat info;
    if (::stat(map.c_str(), &info) != 0) throw std::runtime_error("cannot read the attributes of " + map.string());
    identity.modified = std::int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
#endif
    return FormatIdentity(identity);
}

ToolRun RunTool(const std::string& parameters) {
    TempFolder scratch("ripent run");
    const std::filesystem::path errorFile = scratch / "stderr.txt";
    std::vector<std::string> words;
    std::istringstream split(parameters);
    for (std::string word; std::getline(split, word, ' ');)
        if (!word.empty()) words.push_back(word);
    ToolRun run;
    run.exitCode = testsupport::RunProgram(testsupport::FromHostPath(LW_RIPENT_EXE), words, {.errorFile = errorFile});
    run.errors = ReadText(errorFile);
    return run;
}

}  // namespace lw::ripent::testing
