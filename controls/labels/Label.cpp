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

// One flag for the whole process: the font changes a paint makes must not re-size or repaint
// the label being painted, nor any other.
bool g_labelPaint = false;

struct LabelPaintScope {
    LabelPaintScope() { g_labelPaint = true; }
    ~LabelPaintScope() { g_labelPaint = false; }
};

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

bool TsCustomLabel::PaintInProgress() { return g_labelPaint; }

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

void TsCustomLabel::FontChanged() {
    if (!g_labelPaint) TLabel::FontChanged();
}

void TsCustomLabel::SetFontQuietly(const platform::TFont& font) {
    if (font == Font()) return;
    const bool outer = !g_labelPaint;
    g_labelPaint = true;
    SetFont(font);
    if (outer) g_labelPaint = false;
}

UINT TsCustomLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | (ShowAccelChar ? 0 : DT_NOPREFIX);
    switch (alignment_) {
    case TLabelAlignment::taRightJustify: return flags | DT_RIGHT;
    case TLabelAlignment::taCenter: return flags | DT_CENTER;
    case TLabelAlignment::taLeftJustify: break;
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
        platform::SelectObjectScope font(screen, FontHandle());
        DrawTextW(screen, text.c_str(), static_cast<int>(text.size()), &r, TextFlags() | DT_CALCRECT);
    }
    ReleaseDC(nullptr, screen);
    if (r.right != b.Width || r.bottom != b.Height) SetBounds({b.Left, b.Top, r.right, r.bottom});
}

// --- painting ---------------------------------------------------------------------------------

void TsCustomLabel::TakeSkinColours() {
    // The font is set once, and only when it differs: every change would repaint the label.
    const render::SkinSource* skin = ActiveSkin();
    platform::TFont font = Font();
    if (skin != nullptr && TakesSkinColor()) {
        const std::optional<TColor> color = LabelSkinColor(AncestorSections(*this), *skin);
        if (color && *color != TransparentKey) font.Color = *color;
    }
    if (const platform::TFont& current = CurrentFont(); &current != &Font()) font = current;
    if (skin != nullptr && !skinSection_.empty()) {
        if (const render::SectionPaint* section = skin->Section(skin->GetSkinIndex(skinSection_)))
            font.Color = section->FontColor[0];
    }
    SetFontQuietly(font);
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
    TColor color = Font().Color;
    if (!Enabled()) {
        if (ActiveSkin() != nullptr) {
            color = DisabledLabelColor(platform::ColorToRGB(color), bridge::GetControlColor(Parent()));
            if (ShowAccelChar && text == L"&") text += L' ';  // a lone accelerator mark would draw nothing
        } else {
            color = platform::clGrayText;
        }
    }
    platform::SelectObjectScope font(dc, FontHandle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, platform::ColorToRGB(color));
    RECT area{0, 0, Bounds().Width, Bounds().Height};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, TextFlags());
}

void TsCustomLabel::Paint(HDC dc) {
    if (ComponentState() & platform::csDestroying) return;
    if (!g_labelPaint) {
        LabelPaintScope guard;
        TakeSkinColours();
    }
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
