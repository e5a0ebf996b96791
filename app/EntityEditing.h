#pragma once
#include <cstdint>

#include "app/EntityBindings.h"
#include "app/EntityFiles.h"
#include "app/ToolRunner.h"
#include "app/core/EntityEditor.h"
#include "platform/FindDialog.h"

namespace lw::app {

// What the main window's entity handlers do: export on selection, save, revert, and find in
// the memo. The window forwards its events here and keeps only the controls.
class EntityEditing {
public:
    struct Controls {
        platform::TMemo& console;
        controls::TsListBox& maps;
        const platform::TControl& path;
        platform::TFindDialog& finder;
        const platform::TWinControl& owner;
    };

    EntityEditing(const Controls& controls, platform::Prompt& prompt, platform::Launcher& launcher);

    void mapsClick() { editor_.MapsClick(controls_.maps.ItemIndex()); }
    void Save() { editor_.Save(); }
    void Revert() { editor_.Revert(); }
    void consoleChange() { editor_.MemoChanged(); }
    bool MayClose() { return editor_.MayClose(); }
    void Activated() { editor_.Activated(); }
    bool MayLeave() { return editor_.MayLeave(); }
    // "Поиск в тексте": searching starts again from the top.
    void StartFind();
    void finderFind();
    // F3: the next occurrence of the last search text; with none yet, the dialog opens.
    void FindNext();

    const EntityEditor& Editor() const { return editor_; }
    std::int32_t FindPos() const { return findPos_; }

private:
    Controls controls_;
    platform::Prompt& prompt_;
    MemoBinding memo_;
    MapListBinding list_;
    PromptBinding prompts_;
    ToolRunner tool_;
    EntityFiles files_;
    EntityEditor editor_;
    std::int32_t findPos_ = 0;
};

}  // namespace lw::app
