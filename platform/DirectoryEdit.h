#pragma once
#include "platform/Edits.h"

namespace lw::platform {

class TButton;

// A read-only edit holding a folder, with a browse button inside its right end that opens
// the system's folder browser rooted at the desktop. OnChange fires when the text changes.
class TDirectoryEdit : public TEdit {
public:
    TDirectoryEdit(TComponent* owner, TWinControl* parent);

    void SetBounds(const TBounds& bounds) override;
    TButton& BrowseButton() const { return *button_; }
    // Lets the user pick a folder; the text changes only when one was picked.
    void Browse();

private:
    TButton* button_;
};

}  // namespace lw::platform
