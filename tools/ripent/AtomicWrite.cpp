#include "tools/ripent/FileSystem.h"
#include "tools/ripent/ToolError.h"

#include <string>

namespace lw::ripent {

std::string DisplayPath(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

void WriteFileAtomically(FileSystem& files, const std::filesystem::path& target, std::span<const Piece> pieces)
{
    // Beside the target, so the final rename stays on one volume; a name that no folder
    // listing of maps picks up. Several attempts, in case a crash left an old one behind.
    std::filesystem::path temporary;
    std::unique_ptr<OutputFile> output;
    for (int attempt = 0; attempt < 100 && !output; ++attempt) {
        temporary = target;
        temporary += ".";
        temporary += std::to_string(attempt);
        temporary += ".ripent-tmp";
        output = files.CreateNew(temporary, target);
    }
    if (!output)
        throw ToolError("cannot find a free temporary name beside " + DisplayPath(target));
    try {
        for (const Piece& piece : pieces) {
            if (piece.source)
                output->CopyFrom(*piece.source, piece.bytes);
            else
                output->Write(piece.bytes);
        }
        output->Commit();
        output.reset();
        files.Replace(temporary, target);
    } catch (...) {
        output.reset();
        files.Remove(temporary);
        throw;
    }
}

} // namespace lw::ripent
