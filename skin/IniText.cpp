#include "skin/IniText.h"

#include <algorithm>

#include "skin/SkinText.h"

namespace lw::skin {

std::optional<std::string_view> IniSection::Find(std::string_view key) const {
    for (const auto& [k, v] : Entries)
        if (SameText(k, key)) return std::string_view(v);
    return std::nullopt;
}

IniText IniText::Parse(std::string_view text) {
    IniText ini;
    IniSection* current = nullptr;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++pos;

        if (line.empty() || line.front() == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            const std::string_view name = Trim(line.substr(1, line.size() - 2));
            current = nullptr;
            for (auto& s : ini.sections_)
                if (SameText(s.Name, name)) current = &s;
            if (!current) {
                ini.sections_.push_back({std::string(name), {}});
                current = &ini.sections_.back();
            }
            continue;
        }
        if (!current) continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            current->Entries.emplace_back(std::string(line), std::string());
        else
            current->Entries.emplace_back(std::string(Trim(line.substr(0, eq))),
                                          std::string(Trim(line.substr(eq + 1))));
    }
    return ini;
}

void IniText::Merge(const IniText& other) {
    for (const IniSection& section : other.sections_) {
        auto same = std::find_if(sections_.begin(), sections_.end(),
                                 [&](const IniSection& s) { return SameText(s.Name, section.Name); });
        if (same != sections_.end())
            *same = section;
        else
            sections_.push_back(section);
    }
}

const IniSection* IniText::FindSection(std::string_view name) const {
    for (const auto& s : sections_)
        if (SameText(s.Name, name)) return &s;
    return nullptr;
}

std::optional<std::string_view> IniText::Read(std::string_view section, std::string_view key) const {
    const IniSection* s = FindSection(section);
    return s ? s->Find(key) : std::nullopt;
}

}  // namespace lw::skin
