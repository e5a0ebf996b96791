#include "controls/labels/Label.h"

#include <optional>
#include <utility>
#include <vector>

#include "bridge/DibSection.h"
#include "bridge/SkinCommands.h"
#include "skin/SkinProtocol.h"
#include "skin/SkinManagerView.h"
#include "controls/labels/BoundLabel.h"
#include "controls/labels/core/LabelColors.h"
#include "render/Background.h"

namespace lw::controls {

using platform::TMessage;

namespace {

const render::SkinSource* ActiveSkin() {
    const skin::SkinManagerView* manager = skin::DefaultManager();
    if (manager == nullptr || !manager->SkinActive()) return nullptr;
    return manager->LoadedSkin();
}

// The sections of the label's parents, nearest first; -1 for a parent without one.
std::vector<int> AncestorSections(const platform::TControl& label) {
    std::vector<int> sections;
    for (platform::TControl* p = label.Parent(); p != nullptr; p = p->Parent())
        sections.push_back(static_cast<int>(bridge::SendSkinCommand(p, skin::SMC_GETSKININDEX, 0)) - 1);
    return sections;
}

}  // namespace

TsCustomLabel::TsCustomLabel(platform::TComponent* owner, platform::TWinControl* parent) : TLabel(owner, parent) {}

void TsCustomLabel::SetSkinSection(std::string_view section) {
    if (section == skinSection_) return;
    skinSection_ = section;
    Invalidate();
}

void TsCustomLabel::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustBounds();
}

void TsCustomLabel::SetAlignment(TLabelAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TsCustomLabel::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    AdjustBounds();
    Invalidate();
}

UINT TsCustomLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | (ShowAccelChar ? 0 : DT_NOPREFIX);
    switch (alignment_) {
    case TLabelAlignment::taRightJustify:
        return flags | DT_RIGHT;
    case TLabelAlignment::taCenter:
        return flags | DT_CENTER;
    case TLabelAlignment::taLeftJustify:
        break;
    }
    return flags | DT_LEFT;
}

void TsCustomLabel::AdjustBounds() {
    if (!autoSize_ || (ComponentState() & (platform::csLoading | platform::csDestroying))) return;
    std::wstring text = TextW();
    if (text.empty()) text = L" ";  // an empty label keeps the height of a line
    const platform::TBounds& b = Bounds();
    RECT r{0, 0, wordWrap_ ? b.Width : 0, 0};
    HDC screen = GetDC(nullptr);
    {
        platform::SelectObjectScope font(screen, FontHandleOf(PaintFont()));
        DrawTextW(screen, text.c_str(), static_cast<int>(text.size()), &r, TextFlags() | DT_CALCRECT);
    }
    ReleaseDC(nullptr, screen);
    if (r.right != b.Width || r.bottom != b.Height) SetBounds({b.Left, b.Top, r.right, r.bottom});
}

// --- painting ---------------------------------------------------------------------------------

platform::TFont TsCustomLabel::CurrentFont() const {
    platform::TFont font = Font();
    const render::SkinSource* skin = ActiveSkin();
    if (skin != nullptr && TakesSkinColor()) {
        const std::optional<TColor> color = LabelSkinColor(AncestorSections(*this), *skin);
        if (color && *color != TransparentKey) font.Color = *color;
    }
    return font;
}

platform::TFont TsCustomLabel::PaintFont() const {
    platform::TFont font = CurrentFont();
    const render::SkinSource* skin = ActiveSkin();
    if (skin != nullptr && !skinSection_.empty()) {
        if (const render::SectionPaint* section = skin->Section(skin->GetSkinIndex(skinSection_)))
            font.Color = section->FontColor[0];
    }
    return font;
}

HFONT TsCustomLabel::FontHandleOf(platform::TFont font) const {
    font.Color = Font().Color;
    if (font == Font()) return FontHandle();
    // Made again only when the face changes, not at every paint.
    if (!paintFontObject_ || !(font == paintFontFace_)) {
        paintFontObject_ = platform::CreateFontObject(font);
        paintFontFace_ = font;
    }
    return paintFontObject_.get();
}

void TsCustomLabel::PaintSectionBackground(HDC dc) {
    const render::SkinSource* skin = ActiveSkin();
    if (skin == nullptr || skinSection_.empty() || Parent() == nullptr) return;
    const int index = skin->GetSkinIndex(skinSection_);
    if (index <= 0) return;
    const platform::TBounds& b = Bounds();
    if (b.Width <= 0 || b.Height <= 0) return;
    render::TsBgRequest request;
    bridge::RequestBackground(request, *Parent(), false);
    const render::TsCacheInfo bg = render::BgRequestToCacheInfo(request);
    bridge::TsDibSection pixels(b.Width, b.Height, render::PixelFormat::pf24bit);
    render::PaintItem(index, skinSection_, bg, -1, -1, skin, pixels.Bitmap(), {b.Left, b.Top},
                      {0, 0, b.Width, b.Height}, 0, true);
    GdiFlush();
    BitBlt(dc, 0, 0, b.Width, b.Height, pixels.Dc(), 0, 0, SRCCOPY);
}

void TsCustomLabel::DrawCaption(HDC dc) {
    std::wstring text = TextW();
    const platform::TFont paintFont = PaintFont();
    TColor color = paintFont.Color;
    if (!Enabled()) {
        if (ActiveSkin() != nullptr) {
            color = DisabledLabelColor(platform::ColorToRGB(color), bridge::GetControlColor(Parent()));
            if (ShowAccelChar && text == L"&") text += L' ';  // a lone accelerator mark would draw nothing
        } else {
            color = platform::clGrayText;
        }
    }
    platform::SelectObjectScope font(dc, FontHandleOf(paintFont));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, platform::ColorToRGB(color));
    RECT area{0, 0, Bounds().Width, Bounds().Height};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, TextFlags());
}

void TsCustomLabel::Paint(HDC dc) {
    if (ComponentState() & platform::csDestroying) return;
    PaintSectionBackground(dc);
    DrawCaption(dc);
}

// --- messages ---------------------------------------------------------------------------------

void TsCustomLabel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case platform::CM_FONTCHANGED:
        AdjustBounds();
        Invalidate();
        return;
    case platform::CM_TEXTCHANGED:
        TLabel::WndProc(m);
        AdjustBounds();
        Invalidate();
        return;
    case platform::CM_LOADED:
        TLabel::WndProc(m);
        AdjustBounds();
        return;
    case skin::SM_ALPHACMD:
        TLabel::WndProc(m);
        if (skin::SkinCommandOf(m.WParam) == skin::SMC_SKINREMOVED && skin::DefaultManager() != nullptr &&
            m.LParam == skin::DefaultManager()->CommandId() && TakesSkinColor()) {
            platform::TFont font = Font();
            font.Color = platform::clWindowText;
            SetFont(font);
        }
        return;
    default:
        TLabel::WndProc(m);
        return;
    }
}

void TsEditLabel::Destroying() {
    // Only the bound label's reference goes; the label itself is freed by its owner.
    if (TsBoundLabel* bound = std::exchange(boundLabel_, nullptr)) bound->LabelGone(*this);
    TsLabel::Destroying();
}

}  // namespace lw::controls
