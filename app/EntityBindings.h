#pragma once
#include "app/core/EntitySeams.h"
#include "platform/Edits.h"
#include "controls/listbox/AlphaListBox.h"
#include "platform/Prompt.h"

namespace lw::app {

// The entity editor's view of the main window's controls.

// The memo holds wide text; the entity text is bytes of the system code page.
class MemoBinding : public Memo {
public:
    explicit MemoBinding(platform::TMemo& memo) : memo_(memo) {}
    MemoText Text() const override;
    void SetText(const std::string& text) override;
    void ShowLine(int line) override;

private:
    platform::TMemo& memo_;
};

class MapListBinding : public MapList {
public:
    MapListBinding(controls::TsListBox& maps, const platform::TControl& folder) : maps_(maps), folder_(folder) {}
    std::string Folder() const override;
    std::optional<std::string> Entry(int index) const override;
    void Select(int index) override;

private:
    controls::TsListBox& maps_;
    const platform::TControl& folder_;
};

// Message boxes owned by `owner`.
class PromptBinding : public Prompt {
public:
    PromptBinding(platform::Prompt& prompt, const platform::TWinControl& owner) : prompt_(prompt), owner_(owner) {}
    Answer Ask(std::string_view caption, std::string_view text) override;
    void Tell(std::string_view caption, std::string_view text) override;

private:
    platform::Prompt& prompt_;
    const platform::TWinControl& owner_;
};

}  // namespace lw::app
