#include "controls/labels/BoundLabel.h"

#include <utility>

#include "platform/Messages.h"

namespace lw::controls {

TsBoundLabel::~TsBoundLabel() {
    // The control owns the label and frees it after this; it must not call back here.
    if (label_ != nullptr) label_->Unbind();
}

void TsBoundLabel::SetActive(bool active) {
    if (active == Active()) return;
    if (!active) {
        TsEditLabel* label = std::exchange(label_, nullptr);
        label->Unbind();
        label->Free();
        return;
    }
    label_ = &control_.Make<TsEditLabel>(control_.Parent(), this);
    label_->SetVisible(false);
    label_->Name = control_.Name + "Label";
    label_->SetFont(font_);
    label_->SetText(caption_.empty() ? control_.Name : caption_);
    label_->SetVisible(control_.Visible());
    label_->SetEnabled(control_.Enabled());
    UpdatePosition();
}

void TsBoundLabel::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (label_ == nullptr) return;
    label_->SetText(caption_);
    UpdatePosition();
}

void TsBoundLabel::SetIndent(int indent) {
    indent_ = indent;
    UpdatePosition();
}

void TsBoundLabel::SetLayout(TsCaptionLayoutKind layout) {
    layout_ = layout;
    UpdatePosition();
}

void TsBoundLabel::SetMaxWidth(int width) {
    maxWidth_ = width;
    UpdatePosition();
}

void TsBoundLabel::SetFont(const platform::TFont& font) {
    font_ = font;
    if (label_ == nullptr) return;
    label_->SetFont(font);
    UpdatePosition();
}

void TsBoundLabel::SetUseSkinColor(bool use) {
    if (label_ != nullptr) label_->UseSkinColor = use;
}

void TsBoundLabel::UpdatePosition() {
    if (label_ == nullptr || !label_->Visible()) return;
    label_->SetWordWrap(false);
    label_->SetAutoSize(true);
    const platform::TBounds& c = control_.Bounds();
    const platform::TBounds& own = label_->Bounds();
    const BoundLabelPlace place = PlaceBoundLabel(layout_, RectOfSize(c.Left, c.Top, c.Width, c.Height),
                                                  {own.Width, own.Height}, indent_, maxWidth_);
    if (place.WordWrap) {
        label_->SetAutoSize(false);
        label_->SetWordWrap(true);
    }
    label_->SetAlignment(place.Alignment);
    label_->SetBounds({place.Bounds.Left, place.Bounds.Top, place.Bounds.Width(), place.Bounds.Height()});
}

void TsBoundLabel::Follow(const platform::TMessage& message, bool labelEnabled) {
    if (label_ == nullptr) return;
    switch (message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        break;
    case platform::CM_VISIBLECHANGED:
        label_->SetVisible(control_.Visible());
        break;
    case platform::CM_ENABLEDCHANGED:
        label_->SetEnabled(labelEnabled);
        break;
    default:
        return;
    }
    UpdatePosition();
}

void TsBoundLabel::LabelGone(const TsEditLabel& label) {
    if (&label == label_) label_ = nullptr;
}

}  // namespace lw::controls
