#pragma once
// The skin options text held whole in memory: sections and keys in the order of the
// text, looked up without regard to case.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lw::skin {

struct IniSection {
    std::string Name;                                          // as written
    std::vector<std::pair<std::string, std::string>> Entries;  // key, value; trimmed

    // The first entry of that key, compared without case.
    std::optional<std::string_view> Find(std::string_view key) const;
};

class IniText {
public:
    // Lines end in CR LF, LF or CR. A section that appears twice is one section: later
    // entries are appended to the first, so a key written twice is found as written first.
    static IniText Parse(std::string_view text);

    // Each section of `other` takes the place of the section of the same name, or comes last.
    void Merge(const IniText& other);

    const std::vector<IniSection>& Sections() const { return sections_; }
    const IniSection* FindSection(std::string_view name) const;
    std::optional<std::string_view> Read(std::string_view section, std::string_view key) const;

private:
    std::vector<IniSection> sections_;
};

}  // namespace lw::skin
