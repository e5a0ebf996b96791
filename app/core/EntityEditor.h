#pragma once
#include "app/core/EntitySeams.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lw::app {

// Export, edit, save and revert of a map's entity text through the external tool. The memo's
// text always belongs to one map - the one whose export filled it - and only that map is ever
// written, whatever the list shows by then.
class EntityEditor {
public:
    static constexpr std::chrono::seconds kToolTimeout{60};

    EntityEditor(Memo& memo, MapList& maps, Launcher& tool, FileSystem& files, Prompt& prompt);

    void MapsClick(int index);  // the user selected entry `index`
    void Save();                // "Сохранить изменения"
    void Revert();              // "Отменить все изменения"
    void MemoChanged();         // any change of the memo's text
    // The main window is closing: asks about unsaved edits. False keeps the window open.
    bool MayClose();

    bool Modified() const { return modified_; }
    // The entry the loaded text came from.
    std::int32_t LastIndex() const { return lastIndex_; }
    // The .ent file of the map the memo's text belongs to; nothing before the first export and
    // after a successful save.
    std::optional<std::string> LoadedEntityPath() const;

private:
    struct LoadedMap {
        std::string folder;
        std::string entry;
        std::string entityPath;
    };

    void Export(int index);
    bool SaveLoaded();
    // Tells why the tool would not find `entry` from its entity file, if it would not.
    bool ToolReachesOtherMap(const std::string& folder, const std::string& entry, std::string_view failure);
    void RefuseSave(const std::string& reason, std::optional<int> line);
    void SelectLoaded();

    Memo& memo_;
    MapList& maps_;
    Launcher& tool_;
    FileSystem& files_;
    Prompt& prompt_;

    bool modified_ = false;
    std::int32_t lastIndex_ = 0;
    std::optional<LoadedMap> loaded_;
};

}  // namespace lw::app
