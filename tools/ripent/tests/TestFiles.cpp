#include "tools/ripent/tests/TestFiles.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "testsupport/ChildProcess.h"
#include "testsupport/HostPath.h"

namespace lw::ripent::testing {

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string ReadText(const std::filesystem::path& path)
{
    const auto bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

ToolRun RunTool(const std::string& parameters)
{
    TempFolder scratch("ripent run");
    const std::filesystem::path errorFile = scratch / "stderr.txt";
    std::vector<std::string> words;
    std::istringstream split(parameters);
    for (std::string word; std::getline(split, word, ' ');)
        if (!word.empty())
            words.push_back(word);
    ToolRun run;
    run.exitCode = testsupport::RunProgram(testsupport::FromHostPath(LW_RIPENT_EXE), words, {.errorFile = errorFile});
    run.errors = ReadText(errorFile);
    return run;
}

} // namespace lw::ripent::testing
