#include "controls/checkbox/CheckBox.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "bridge/DibSection.h"
#include "bridge/GdiTextEngine.h"
#include "bridge/SkinCommands.h"
#include "controls/base/CommonDataWindow.h"
#include "controls/base/core/BorderPainting.h"
#include "controls/base/core/ControlKinds.h"
#include "platform/Application.h"
#include "render/Blend.h"
#include "render/MaskPaint.h"
#include "render/Pixel.h"
#include "render/Text.h"
#include "platform/Redraw.h"

namespace lw::controls {

using platform::TMessage;

namespace {

const char* const kBoxImageNames[] = {"BOXUNCHECKED", "BOXCHECKED", "BOXGRAYED"};
constexpr int kPressedFrame = 2, kHotFrame = 1, kNormalFrame = 0;
// The box images are painted with the cache beneath as their background.
constexpr int kBoxPaintMode = 1;

TMouseButton ButtonOf(UINT message) {
    switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return TMouseButton::mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return TMouseButton::mbMiddle;
    default:
        return TMouseButton::mbLeft;
    }
}

const render::SkinSource* LoadedSkinOf(const TsCommonData& d) {
    const skin::SkinManagerView* manager = d.GetSkinManager();
    return manager != nullptr ? manager->LoadedSkin() : nullptr;
}

}  // namespace

TsCheckBox::TsCheckBox(platform::TComponent* owner, platform::TWinControl* parent)
    // Not an automatic check box: the platform never toggles it behind the control's back.
    : TsSkinned({.ClassName = "TsCheckBox", .Kind = ckCheckBox, .WithCache = false}, owner, parent,
                platform::TCreateParams{.ClassName = L"BUTTON", .Style = BS_CHECKBOX | WS_TABSTOP}) {
    SkinData().SetSkinSection("CHECKBOX");
    SkinData().ControlLoaded();
}

TsCheckBox::~TsCheckBox() { StopFade(fade_); }

// --- properties -------------------------------------------------------------------------------

void TsCheckBox::SetState(TCheckBoxState state) {
    if (state == state_) return;
    state_ = state;
    SetPlatformCheck();
    // While the form is still being built only the value is kept: there is nothing to show yet.
    if (!Loading()) StateChanged();
}

void TsCheckBox::SetChecked(bool checked) {
    SetState(checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

void TsCheckBox::SetAlignment(TsCheckAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    SkinData().InvalidateSkin();
}

void TsCheckBox::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustSize();
}

void TsCheckBox::SetMargin(int margin) {
    if (margin == margin_) return;
    margin_ = margin;
    AdjustSize();
    Invalidate();
}

void TsCheckBox::SetDisabledKind(render::TsDisabledKinds kinds) {
    if (kinds == disabledKind_) return;
    disabledKind_ = kinds;
    SkinData().InvalidateSkin();
}

void TsCheckBox::SetShowFocus(bool show) {
    if (show == showFocus_) return;
    showFocus_ = show;
    Invalidate();
}

void TsCheckBox::SetTextIndent(int indent) {
    if (indent == textIndent_) return;
    textIndent_ = indent;
    AdjustSize();
    Invalidate();
}

void TsCheckBox::SetGlyphChecked(const render::Bitmap& glyph) {
    glyphChecked_ = glyph.Clone();
    SkinData().InvalidateSkin();
    AdjustSize();
}

void TsCheckBox::SetGlyphUnChecked(const render::Bitmap& glyph) {
    glyphUnChecked_ = glyph.Clone();
    Invalidate();
}

void TsCheckBox::SetImages(const platform::TImageList* images) {
    if (images == images_) return;
    images_ = images;
    SkinData().InvalidateSkin();
    AdjustSize();
}

void TsCheckBox::SetImgChecked(int index) {
    if (index == imgChecked_) return;
    imgChecked_ = index;
    AdjustSize();
    // Only the image of the state shown needs painting again.
    if (state_ == TCheckBoxState::cbChecked) SkinData().InvalidateSkin();
}

void TsCheckBox::SetImgUnchecked(int index) {
    if (index == imgUnchecked_) return;
    imgUnchecked_ = index;
    AdjustSize();
    if (state_ == TCheckBoxState::cbUnchecked) SkinData().InvalidateSkin();
}

void TsCheckBox::SetWordWrap(bool wrap) {
    if (wrap == wordWrap_) return;
    wordWrap_ = wrap;
    SkinData().InvalidateSkin();
}

// --- geometry ---------------------------------------------------------------------------------

int TsCheckBox::SkinBoxIndex(TCheckBoxState state) const {
    const render::SkinSource* skin = LoadedSkinOf(SkinData());
    if (skin == nullptr) return -1;
    return skin->GetMaskIndex(skin->GetSkinIndex("GLOBALINFO"), "GLOBALINFO", kBoxImageNames[static_cast<int>(state)]);
}

TsCheckBox::BoxSource TsCheckBox::Source() const {
    if (images_ != nullptr && imgChecked_ >= 0 && imgUnchecked_ >= 0) return BoxSource::Images;
    if (!glyphChecked_.Empty()) return BoxSource::Glyphs;
    return BoxSource::Skin;
}

BoxSize TsCheckBox::Box() const {
    switch (Source()) {
    case BoxSource::Images:
        return GlyphBoxSize(images_->Width(), images_->Height());
    case BoxSource::Glyphs:
        return GlyphBoxSize(glyphChecked_.Width(), glyphChecked_.Height());
    case BoxSource::Skin:
        break;
    }
    const render::SkinSource* skin = LoadedSkinOf(SkinData());
    const int index = SkinBoxIndex(TCheckBoxState::cbChecked);
    return SkinBoxSize(skin != nullptr ? skin->Mask(index) : nullptr);
}

CheckBoxLayout TsCheckBox::Layout() const {
    CheckBoxLayout l;
    l.Width = Bounds().Width;
    l.Height = Bounds().Height;
    l.Margin = margin_;
    l.TextIndent = textIndent_;
    l.BoxOnLeft = alignment_ == TsCheckAlignment::taRightJustify;
    l.WordWrap = wordWrap_;
    return l;
}

TRect TsCheckBox::BoxRect() const {
    const bool placed = Source() != BoxSource::Skin || SkinBoxIndex(TCheckBoxState::cbChecked) >= 0;
    return CheckBoxRect(Layout(), Box(), placed);
}

TPoint TsCheckBox::CaptionSize() const {
    const std::wstring caption = TextW();
    if (caption.empty()) return {0, 0};
    if (!wordWrap_) return render::MeasureText(bridge::ProcessTextEngine(), TextFontOf(*this), Text());
    HDC screen = GetDC(nullptr);
    RECT r{0, 0, std::max(CaptionAvailableWidth(Layout(), Box()), 1), 0};
    {
        platform::SelectObjectScope font(screen, FontHandle());
        DrawTextW(screen, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT | DT_WORDBREAK);
    }
    ReleaseDC(nullptr, screen);
    return {r.right - r.left, r.bottom - r.top};
}

void TsCheckBox::AdjustSize() {
    if (!autoSize_ || !SkinData().Skinned() || Loading()) return;
    const TPoint text = CaptionSize();
    const TPoint size = CheckBoxAutoSize(Box(), margin_, textIndent_, !Text().empty(), text.X, text.Y);
    const platform::TBounds& b = Bounds();
    if (size.X != b.Width || size.Y != b.Height) SetBounds({b.Left, b.Top, size.X, size.Y});
}

// --- painting ---------------------------------------------------------------------------------

bool TsCheckBox::Active() const { return SkinData().IsActive() && !ReadOnly; }

void TsCheckBox::PrepareCheckBoxCache() {
    TsCommonData& d = SkinData();
    d.EnsureCache();
    render::Bitmap& cache = *d.CacheBmp;
    if (cache.Empty()) return;
    const render::TsCacheInfo bg = d.ParentCacheInfo();
    const platform::TBounds& b = Bounds();
    render::PaintControlItem(d.PaintRef(), bg, true, true, cache, {b.Left, b.Top}, {0, 0, b.Width, b.Height},
                             Active() ? 1 : 0);
    PaintCaption();
    PaintBox();
    if (!Enabled()) {
        render::PaintDisabled(
            cache, disabledKind_, [this] { return bridge::GetControlColor(Parent()); }, {b.Left, b.Top}, bg);
    }
    d.MarkFresh();
}

void TsCheckBox::PaintCaption() {
    if (Text().empty()) return;
    TsCommonData& d = SkinData();
    render::Surface surface(*d.CacheBmp);
    render::Canvas canvas{surface, bridge::ProcessTextEngine(), TextFontOf(*this)};
    const TPoint size = CaptionSize();
    const TRect r = CheckBoxCaptionRect(Layout(), Box(), size.X, size.Y);
    render::ControlText text{d.PaintRef(), canvas.Font, d.CustomFont(), true, {}};
    for (platform::TControl* p = Parent(); p != nullptr; p = p->Parent()) {
        const LRESULT index = bridge::SendSkinCommand(p, skin::SMC_GETSKININDEX, 0);
        if (index > 0) text.ParentSections.push_back(static_cast<int>(index) - 1);
    }
    const unsigned flags = wordWrap_ ? DT_CENTER | DT_WORDBREAK : DT_SINGLELINE;
    render::WriteControlText(canvas, Text(), true, Active(), text, flags, r);
    if (Focused() && showFocus_) render::DrawFocusDots(surface, CaptionFocusRect(r, wordWrap_));
}

void TsCheckBox::PaintBox() {
    const TRect box = BoxRect();
    const int frame = press_.Pressed ? kPressedFrame : Active() ? kHotFrame : kNormalFrame;
    if (Source() != BoxSource::Skin) {
        PaintOwnBox(box, frame);
        return;
    }
    const render::SkinSource* skin = LoadedSkinOf(SkinData());
    if (skin == nullptr) return;
    const render::MaskRef* mask = skin->Mask(SkinBoxIndex(state_));
    if (mask == nullptr) return;
    render::Bitmap& cache = *SkinData().CacheBmp;
    render::PaintMaskFrame(cache, {box.Left, box.Top}, frame, render::CacheInfoFromBitmap(cache, 0, 0), *mask,
                           kBoxPaintMode);
}

void TsCheckBox::PaintOwnBox(const TRect& box, int frame) {
    const int w = box.Width(), h = box.Height();
    if (w <= 0 || h <= 0) return;
    const bool checked = state_ == TCheckBoxState::cbChecked;
    if (!checked && state_ != TCheckBoxState::cbUnchecked) return;  // no own image for the grayed state
    render::Bitmap& cache = *SkinData().CacheBmp;
    bridge::TsDibSection picture(w, h, render::PixelFormat::pf24bit);
    if (Source() == BoxSource::Images) {
        const int index = checked ? imgChecked_ : imgUnchecked_;
        if (index >= images_->Count()) return;
        // The list's image blends over what the box covers; its own magenta stays see-through.
        bridge::BlitToDc(picture.Dc(), 0, 0, cache, box);
        images_->Draw(picture.Dc(), -frame * w, 0, index);
        GdiFlush();
    } else {
        const render::Bitmap& glyph = checked ? glyphChecked_ : glyphUnChecked_;
        if (glyph.Empty() || glyph.Width() < (frame + 1) * w || glyph.Height() < h) return;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) std::copy_n(glyph.Pixel(frame * w + x, y), 3, picture.Bitmap().Pixel(x, y));
    }
    render::BlendOverRect(cache, {box.Left, box.Top}, TransparentKey, 0.0, {0, 0, w - 1, h - 1}, picture.Bitmap());
}

void TsCheckBox::PaintCheckBox(HDC dc) {
    TsCommonData& d = SkinData();
    if (d.IsUpdating() || fade_ != nullptr) return;
    PrepareCheckBoxCache();
    if (!d.CacheBmp || d.CacheBmp->Empty()) return;
    d.RestoreCorners(0, cnAll);
    bridge::BlitToDc(dc, 0, 0, *d.CacheBmp, d.CacheBmp->Bounds());
}

void TsCheckBox::PaintHandler(HDC dc) {
    TsCommonData& d = SkinData();
    if (d.IsUpdating()) {
        d.BeginUpdate();
        return;
    }
    const int saved = SaveDC(dc);
    PaintCheckBox(dc);
    RestoreDC(dc, saved);
}

void TsCheckBox::Repaint() { platform::RedrawShown(Handle(), RDW_INVALIDATE | RDW_UPDATENOW); }

// --- state changes ----------------------------------------------------------------------------

void TsCheckBox::SetPlatformCheck() {
    if (Handle() == nullptr) return;
    // Kept in step even while skinned, so that outside programs reading the platform's state and
    // the look after the skin is removed agree with the box. Straight to the platform's
    // procedure: the skinned pipeline swallows the set-check message.
    TMessage set{BM_SETCHECK, static_cast<WPARAM>(state_), 0};
    DefaultHandler(set);
}

void TsCheckBox::ChangeLookOn(TgwAnimatEvent event, bool halfSpeed) {
    ChangeLook(fade_, *this, SkinData(), halfSpeed, 1, ShouldAnimate(event, AnimatEvents, skin::DefaultManager()));
}

void TsCheckBox::StateChanged() {
    if (SkinData().Skinned()) ChangeLookOn(aeMouseUp, true);  // the new check mark fades in
}

void TsCheckBox::Toggle() {
    SetState(NextCheckState(state_, AllowGrayed));
    Click();
}

// --- messages ---------------------------------------------------------------------------------

bool TsCheckBox::SkinLoaded(TMessage& m) {
    PlatformMessage(m);
    SkinData().ControlLoaded();
    AdjustSize();
    return true;
}

void TsCheckBox::SkinCommand(TMessage& m) {
    if (!SkinCommandStage(m)) Dispatch(m);
}

void TsCheckBox::Dispatch(TMessage& m) {
    TsCommonData& d = SkinData();
    if (d.Skinned() && FocusAndHoverStage(m)) return;
    if (CanPaint()) {
        HandleWindowMessage(d, *this, m);
        if (d.Skinned()) {
            if (SkinnedControlStage(m)) return;
        } else if (UnskinnedControlStage(m)) {
            return;
        }
    }
    if (m.Msg == platform::CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
        // Only the platform's own drawing clicks: without a skin it draws and toggles the box.
        if (!ReadOnly) Toggle();
        return;
    }
    NotifyInput(m);
    TCheckBox::WndProc(m);
}

void TsCheckBox::NotifyInput(const TMessage& m) {
    const TPoint at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    const WORD key = static_cast<WORD>(m.WParam);
    switch (m.Msg) {
    case WM_KEYDOWN:
        if (OnKeyDown) OnKeyDown(*this, key);
        break;
    case WM_KEYUP:
        if (OnKeyUp) OnKeyUp(*this, key);
        break;
    case WM_LBUTTONDBLCLK:
        if (OnDblClick) OnDblClick(*this);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (OnMouseDown) OnMouseDown(*this, ButtonOf(m.Msg), at);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (OnMouseUp) OnMouseUp(*this, ButtonOf(m.Msg), at);
        break;
    default:
        break;
    }
}

bool TsCheckBox::SkinCommandStage(TMessage& m) {
    TsCommonData& d = SkinData();
    const bool own = d.GetSkinManager() != nullptr && d.GetSkinManager()->CommandId() == m.LParam;
    switch (skin::SkinCommandOf(m.WParam)) {
    case skin::SMC_SKINLOADED:
        if (!own) return false;
        StopFade(fade_);
        HandleWindowMessage(d, *this, m);
        return true;
    case skin::SMC_SKINREMOVED:
        if (!own) return false;
        StopFade(fade_);
        HandleWindowMessage(d, *this, m);
        Repaint();
        return true;
    case skin::SMC_REFRESH:
        if (!own) return false;
        StopFade(fade_);
        HandleWindowMessage(d, *this, m);
        AdjustSize();
        Repaint();
        return true;
    case skin::SMC_ISSKINNED:
        m.Result = 1;
        return true;
    case skin::SMC_STOPANIM:
        StopFade(fade_);
        return true;
    case skin::SMC_PREPARECACHE:
        PrepareCheckBoxCache();
        return false;
    case skin::SMC_GETAPPLICATION:
        m.Result = reinterpret_cast<LRESULT>(platform::Application);
        return true;
    default:
        return false;
    }
}

bool TsCheckBox::FocusAndHoverStage(TMessage& m) {
    TsCommonData& d = SkinData();
    const bool aboutThis = reinterpret_cast<platform::TControl*>(m.LParam) == this;
    switch (m.Msg) {
    case WM_SETFOCUS:
    case platform::CM_ENTER:
        if (Enabled()) {
            TCheckBox::WndProc(m);
            d.MarkStale();
            if (fade_ != nullptr)
                fade_->FadeStep();
            else
                Repaint();
        }
        return true;
    case WM_KILLFOCUS:
    case platform::CM_EXIT:
        if (!Enabled()) return false;
        StopFade(fade_);
        SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
        TCheckBox::WndProc(m);
        SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
        d.ForgetActivity();
        d.InvalidateSkin();
        return true;
    case platform::CM_MOUSEENTER:
        if (aboutThis && Enabled() && !d.MouseInside()) {
            d.SetMouseInside(true);
            ChangeLookOn(aeMouseEnter, false);
        }
        return false;
    case platform::CM_MOUSELEAVE:
        if (aboutThis && Enabled()) {
            d.SetMouseInside(false);
            press_.Apply(CheckBoxInput::MouseLeave, ReadOnly);
            ChangeLookOn(aeMouseLeave, false);
        }
        return false;
    default:
        return false;
    }
}

bool TsCheckBox::SkinnedControlStage(TMessage& m) {
    TsCommonData& d = SkinData();
    switch (m.Msg) {
    case skin::SM_ALPHACMD:
        if (skin::SkinCommandOf(m.WParam) == skin::SMC_ENDUPDATE && (d.IsUpdating() || d.HalfVisible())) {
            d.EndUpdate();
            Repaint();
        }
        return false;
    case WM_ENABLE:
    case WM_NCPAINT:
        return true;
    case WM_PAINT:
        WithPaintDc(Handle(), m.WParam, [this](HDC dc) { PaintHandler(dc); });
        return true;
    case WM_PRINT:
    case WM_PRINTCLIENT:
        // The platform's printing would draw its own box over ours.
        d.EndUpdate();
        PaintHandler(reinterpret_cast<HDC>(m.WParam));
        return true;
    case WM_ERASEBKGND:
        m.Result = 1;
        return true;
    case BM_SETCHECK:
        if (fade_ != nullptr && fade_->State.StepIndex < fade_->State.FadeSteps) StopFade(fade_);
        return true;
    case WM_UPDATEUISTATE:
        return true;
    case WM_KEYDOWN:
        if (m.WParam != VK_SPACE || !Enabled()) return false;
        if (ReadOnly) return true;
        press_.Apply(CheckBoxInput::SpaceDown, false);
        if (!Focused()) SetFocus();
        Repaint();
        NotifyInput(m);
        return true;
    case WM_KEYUP:
        if (!Enabled()) return false;
        if (ReadOnly) return true;
        if (press_.Apply(CheckBoxInput::KeyUp, false)) Toggle();
        NotifyInput(m);
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!Enabled()) return false;
        if (ReadOnly) return true;
        press_.Apply(CheckBoxInput::ButtonDown, false);
        ChangeLookOn(aeMouseDown, true);
        if (!Focused()) SetFocus();
        NotifyInput(m);
        return true;
    case WM_LBUTTONUP:
        if (!Enabled()) return false;
        if (ReadOnly) return true;
        if (press_.Apply(CheckBoxInput::ButtonUp, false)) Toggle();
        NotifyInput(m);
        return true;
    case platform::CM_ENABLEDCHANGED:
        TCheckBox::WndProc(m);
        Repaint();
        return true;
    case platform::CM_TEXTCHANGED:
        AdjustSize();
        Repaint();
        return true;
    case platform::CM_FONTCHANGED:
        // The caption's extent changes with the font: the size follows it as it follows the text.
        TCheckBox::WndProc(m);
        AdjustSize();
        return true;
    default:
        return false;
    }
}

bool TsCheckBox::UnskinnedControlStage(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDBLCLK:
        // The platform would take it for a press: focus, capture and the pushed look.
        return ReadOnly;
    case BM_SETCHECK:
    case BM_SETSTATE:
        // What the platform sends itself while a press goes on would change a read-only state.
        return ReadOnly && press_.Pressed;
    case WM_LBUTTONDOWN:
        press_.Apply(CheckBoxInput::ButtonDown, false);
        break;
    case WM_KEYDOWN:
        if (m.WParam == VK_SPACE) press_.Apply(CheckBoxInput::SpaceDown, false);
        break;
    case WM_LBUTTONUP:
    case WM_KEYUP:
        press_.Pressed = false;
        break;
    default:
        break;
    }
    return false;
}

}  // namespace lw::controls
