#pragma once
// The caption label that edit-like controls publish: an edit label created on activation,
// owned by the control, placed in the control's parent beside it.

#include <string>

#include "controls/labels/Label.h"
#include "controls/labels/core/BoundLabelPlacement.h"

namespace lw::controls {

class TsBoundLabel {
public:
    explicit TsBoundLabel(platform::TWinControl& control) : control_(control) {}
    ~TsBoundLabel();
    TsBoundLabel(const TsBoundLabel&) = delete;
    TsBoundLabel& operator=(const TsBoundLabel&) = delete;

    bool Active() const { return label_ != nullptr; }
    void SetActive(bool active);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    int Indent() const { return indent_; }
    void SetIndent(int indent);
    TsCaptionLayoutKind Layout() const { return layout_; }
    void SetLayout(TsCaptionLayoutKind layout);
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int width);
    // The label's own font once it exists, else a stored copy.
    const platform::TFont& Font() const { return label_ != nullptr ? label_->Font() : font_; }
    void SetFont(const platform::TFont& font);
    // Reads true while no label exists.
    bool UseSkinColor() const { return label_ != nullptr ? label_->UseSkinColor : true; }
    void SetUseSkinColor(bool use);

    TsEditLabel* Label() const { return label_; }
    void UpdatePosition();
    // What a message the control has just handled changes of its label: its place after the
    // control moved or changed size, its visibility, and its enabled state, which becomes
    // `labelEnabled` (the control's own, or what its disabled look asks).
    void Follow(const platform::TMessage& message, bool labelEnabled);
    // The edit label is going: only the reference is dropped.
    void LabelGone(const TsEditLabel& label);

private:
    platform::TWinControl& control_;
    TsEditLabel* label_ = nullptr;
    std::string caption_;
    int indent_ = 0;
    TsCaptionLayoutKind layout_ = TsCaptionLayoutKind::sclLeft;
    int maxWidth_ = 0;
    platform::TFont font_;
};

}  // namespace lw::controls
