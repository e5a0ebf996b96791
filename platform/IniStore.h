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

// The system's profile functions on one file.
class ProfileIniStore : public IniStore {
public:
    explicit ProfileIniStore(std::wstring path) : path_(std::move(path)) {}
    const std::wstring& Path() const { return path_; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) override;
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override;

private:
    std::wstring path_;
};

}  // namespace lw::platform
