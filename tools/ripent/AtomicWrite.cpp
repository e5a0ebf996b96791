#include "tools/ripent/FileSystem.h"
#include "tools/ripent/ToolError.h"

#include <string>

namespace lw::ripent {

std::string DisplayPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

std::filesystem::path TemporaryName(const std::filesystem::path& target, int attempt) {
    constexpr std::size_t kNameLimit = 255;
    std::string suffix = ".";
    suffix += std::to_string(attempt);
    suffix += ".ripent-tmp";
    std::filesystem::path::string_type name = target.filename().native();
    if (name.size() + suffix.size() > kNameLimit) {
        name.resize(kNameLimit - suffix.size());
        // Not in the middle of a character: drop a cut UTF-16 pair or UTF-8 sequence whole.
#ifdef _WIN32
        if (name.back() >= 0xD800 && name.back() <= 0xDBFF) name.pop_back();
#else
        auto code = [&] { return static_cast<unsigned char>(name.back()); };
        while (!name.empty() && (code() & 0xC0) == 0x80) name.pop_back();
        if (!name.empty() && code() >= 0xC0) name.pop_back();
#endif
    }
    name.append(suffix.begin(), suffix.end());
    return target.parent_path() / name;
}

void WriteFileAtomically(FileSystem& files, const std::filesystem::path& target, std::span<const Piece> pieces,
                         const std::function<void(const std::filesystem::path& temporary)>& beforeReplace) {
    // Beside the target, so the final rename stays on one volume; a name that no folder
    // listing of maps picks up. A name a killed run left behind is taken back once no run
    // holds it; one still being written is passed over.
    std::filesystem::path temporary;
    std::unique_ptr<OutputFile> output;
    for (int attempt = 0; attempt < 100 && !output; ++attempt) {
        temporary = TemporaryName(target, attempt);
        output = files.CreateNew(temporary, target);
        if (!output && files.RemoveAbandoned(temporary)) output = files.CreateNew(temporary, target);
    }
    if (!output) throw ToolError("cannot find a free temporary name beside " + DisplayPath(target));
    try {
        for (const Piece& piece : pieces) {
            if (piece.source)
                output->CopyFrom(*piece.source, piece.bytes);
            else
                output->Write(piece.bytes);
        }
        output->Commit();
        if (beforeReplace) beforeReplace(temporary);
        files.Replace(temporary, target);
        output.reset();
    } catch (...) {
        output.reset();
        files.Remove(temporary);
        throw;
    }
}

}  // namespace lw::ripent
