#pragma once
#include "app/core/EntitySeams.h"
#include "app/core/MapIdentity.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lw::app {

// Export, edit, save and revert of a map's entity text through the external tool. The memo's
// text always belongs to one map - the one whose export filled it - and only that map is ever
// written, whatever the list shows by then. The list and the memo never disagree: after an
// export fails, the list goes back to the map whose text the memo kept, or the memo is emptied
// when its text was given up. A map written again on disk since its export is never
// overwritten with the old text without asking.
class EntityEditor {
public:
    static constexpr std::chrono::seconds kToolTimeout{60};

    EntityEditor(Memo& memo, MapList& maps, Launcher& tool, FileSystem& files, Prompt& prompt);

    // The user selected entry `index`; selecting the map already shown does nothing.
    void MapsClick(int index);
    void Save();         // "Сохранить изменения"
    void Revert();       // "Отменить все изменения"
    void MemoChanged();  // any change of the memo's text
    // Another map is about to be opened from outside the list (a dropped map, say): asks about
    // unsaved edits as selecting another map does. False: the user chose to stay.
    bool MayLeave();
    // The main window is closing: asks about unsaved edits. False keeps the window open.
    bool MayClose();
    // The main window became active again: an unmodified text whose map was written again on
    // disk meanwhile (by a compiler, say) is loaded anew without a question.
    void Activated();

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
        std::optional<MapIdentity> identity;  // as the export reported it
        std::string MapPath() const { return folder + "\\" + entry; }
    };
    enum class SaveOutcome { Saved, Discarded, Kept };

    // Shows the map's text; tells why and answers false when the export fails.
    bool Load(const std::string& folder, const std::string& entry, int index);
    void Export(int index);
    bool LeaveLoaded();
    void AfterFailedExport();
    void TellExportFailed(const std::string& reason);
    SaveOutcome SaveLoaded();
    bool ChangedOnDisk(const LoadedMap& map);
    void Discard();
    // Tells why the tool would not find `entry` from its entity file, if it would not.
    bool ToolReachesOtherMap(const std::string& folder, const std::string& entry, std::string_view failure);
    void RefuseSave(const std::string& reason, std::optional<int> line);
    // Whether entry `index` is the map whose text the memo holds.
    bool Showing(int index) const;
    void SelectLoaded();

    Memo& memo_;
    MapList& maps_;
    Launcher& tool_;
    FileSystem& files_;
    Prompt& prompt_;

    bool modified_ = false;
    std::int32_t lastIndex_ = 0;
    std::optional<LoadedMap> loaded_;
    // A reload on activation that failed is not tried again for the same file: its message
    // box closing activates the window again.
    std::optional<FileStamp> failedReload_;
    // Set while a handler runs: the messages it shows and the tool runs it waits for let window
    // messages through, and activation must not start a second operation inside the first.
    bool busy_ = false;
};

}  // namespace lw::app
