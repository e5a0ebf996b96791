#pragma once
#include <string>
#include <string_view>

namespace lw::platform {

// Profile (INI) values, read and written as the 8-bit text the file holds. Every call opens
// the file afresh, so nothing read is ever stale.
class IniStore {
public:
    virtual ~IniStore() = default;
    // `fallback` when the file, the section or the key is missing.
    virtual std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) = 0;
    // Throws Exception "Unable to write to <file>" when the file cannot be written.
    virtual void WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
};

// The system's profile functions on one file. A file that does not read as settings (binary
// bytes, lines that are neither sections nor keys) is never edited in place: reads give the
// fallback, and the first write moves it aside to "<file>.bak" and starts a new one. A value
// longer than any path is no value of ours and reads as the fallback too.
class ProfileIniStore : public IniStore {
public:
    explicit ProfileIniStore(std::wstring path) : path_(std::move(path)) {}
    const std::wstring& Path() const { return path_; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) override;
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override;

    // The longest value read, in bytes: the longest path the system takes.
    static constexpr size_t kLongestValue = 32767;

private:
    bool FileReadsAsSettings() const;

    std::wstring path_;
};

// Whether `bytes` reads as a settings file: only text, and every line blank, a comment (";" or
// "#"), a "[section]" or a "key=value".
bool ReadsAsSettings(std::string_view bytes);

}  // namespace lw::platform
