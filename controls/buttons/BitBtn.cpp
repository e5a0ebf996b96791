#include "controls/buttons/BitBtn.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "bridge/DibSection.h"
#include "bridge/GdiTextEngine.h"
#include "bridge/SkinCommands.h"
#include "bridge/SkinManager.h"
#include "controls/base/CommonDataWindow.h"
#include "controls/base/core/BorderPainting.h"
#include "controls/base/core/ControlKinds.h"
#include "controls/images/AlphaImageList.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "render/Background.h"
#include "render/Blend.h"
#include "render/Disabled.h"
#include "render/MaskPaint.h"
#include "render/Pixel.h"
#include "render/Text.h"
#include "platform/Redraw.h"

namespace lw::controls {

using platform::TMessage;

namespace {

// The release repaint holds the pressed look this long, so a quick click is seen.
constexpr DWORD kReleaseHoldMs = 30;

UINT AlignmentFlags(TButtonAlignment a) {
    switch (a) {
    case TButtonAlignment::taLeftJustify:
        return DT_LEFT;
    case TButtonAlignment::taRightJustify:
        return DT_RIGHT;
    default:
        return DT_CENTER;
    }
}

// Takes the pixels out of region in one combine: a region made and combined per pixel costs
// far more than the pixels.
void CutPixels(HRGN region, const std::vector<RECT>& pixels) {
    if (pixels.empty()) return;
    std::vector<std::byte> data(sizeof(RGNDATAHEADER) + pixels.size() * sizeof(RECT));
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(pixels.size());
    header.nRgnSize = static_cast<DWORD>(pixels.size() * sizeof(RECT));
    header.rcBound = pixels.front();
    for (const RECT& p : pixels) UnionRect(&header.rcBound, &header.rcBound, &p);
    std::memcpy(data.data(), &header, sizeof header);
    std::memcpy(data.data() + sizeof header, pixels.data(), header.nRgnSize);
    platform::GdiObject<HRGN> cut(
        ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
    CombineRgn(region, region, cut.get(), RGN_DIFF);
}

// Captions are measured on one memory DC kept for the process: making a DC per measure cost
// ten times the measuring.
HDC MeasuringDc() {
    static const platform::MemoryDc dc(CreateCompatibleDC(nullptr));
    return dc.get();
}

platform::TForm* FormOf(platform::TControl& control) {
    for (platform::TControl* c = control.Parent(); c != nullptr; c = c->Parent())
        if (auto* form = dynamic_cast<platform::TForm*>(c)) return form;
    return nullptr;
}

}  // namespace

TsBitBtn::TsBitBtn(platform::TComponent* owner, platform::TWinControl* parent)
    : TsSkinned({.ClassName = "TsBitBtn", .Kind = ckBitBtn, .PaintsWhileLoading = true}, owner, parent,
                TButton::DefaultCreateParams()) {
    SkinData().ControlLoaded();
}

TsBitBtn::~TsBitBtn() {
    StopFading();
    formKeys_.reset();
}

void TsBitBtn::RepaintNow() { platform::RedrawShown(Handle(), RDW_INVALIDATE | RDW_UPDATENOW); }

void TsBitBtn::SetDown(bool value) {
    if (down_ == value) return;
    down_ = value;
    SkinData().MarkStale();
    RepaintNow();
}

// --- default, cancel and modal result -----------------------------------------------------------

void TsBitBtn::SetDefault(bool value) {
    if (default_ == value) return;
    default_ = value;
    WatchFormKeys();
    SkinData().InvalidateSkin();
}

void TsBitBtn::SetCancel(bool value) {
    cancel_ = value;
    WatchFormKeys();
}

void TsBitBtn::WatchFormKeys() {
    formKeys_.reset();
    platform::TForm* form = FormOf(*this);
    if (form == nullptr || (!default_ && !cancel_)) return;
    formKeys_ = std::make_unique<platform::TMessageHook>(*form, [this](TMessage& m) { FormCommand(m); });
}

// The dialog manager turns Enter and Escape into IDOK and IDCANCEL commands to the form.
void TsBitBtn::FormCommand(TMessage& m) {
    const bool key = m.Msg == WM_COMMAND && m.LParam == 0 && HIWORD(m.WParam) == 0;
    const bool mine = key && ((LOWORD(m.WParam) == IDOK && default_) || (LOWORD(m.WParam) == IDCANCEL && cancel_));
    if (mine && Showing() && Enabled()) {
        Click();
        return;
    }
    formKeys_->CallPrevious(m);
}

void TsBitBtn::Click() {
    if (modalResult_ != 0)
        if (platform::TForm* form = FormOf(*this)) form->SetModalResult(modalResult_);
    TButton::Click();
}

// --- geometry and state ------------------------------------------------------------------------

TButtonState TsBitBtn::CurrentState() const {
    ButtonStateInputs in;
    in.Down = down_;
    if (Handle() != nullptr) {
        in.Pushed = forcePressed_ || (!forceReleased_ && (SendMessageW(Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0);
        // Cursor and mouse keys only decide a pushed button's look, and asking for them is
        // slow under Wine (the cursor is a round trip to the display server).
        if (in.Pushed) {
            POINT cursor{};
            RECT window{};
            GetCursorPos(&cursor);
            GetWindowRect(Handle(), &window);
            in.MouseOver = PtInRect(&window, cursor) != 0;
            in.LeftHeldOnButton = (GetKeyState(VK_LBUTTON) & 0x8000) != 0 && GetCapture() == Handle();
        }
    }
    in.DefaultLook = default_;
    in.Active = SkinData().IsActive();
    return ::lw::controls::CurrentState(in);
}

namespace {

const TsAlphaImageList* AlphaList(const platform::TImageList* list) {
    return dynamic_cast<const TsAlphaImageList*>(list);
}

}  // namespace

bool TsBitBtn::HasListGlyph() const {
    const platform::TImageList* list = Images();
    return list != nullptr && ImageIndex() >= 0 && ImageIndex() < list->Count();
}

int TsBitBtn::GlyphWidth() const {
    if (HasListGlyph()) return Images()->Width() / std::max(numGlyphs_, 1);
    return glyph_.Empty() ? 0 : glyph_.Width() / std::max(numGlyphs_, 1);
}

int TsBitBtn::GlyphHeight() const {
    if (HasListGlyph()) return Images()->Height();
    return glyph_.Empty() ? 0 : glyph_.Height();
}

void TsBitBtn::SetGlyph(const render::Bitmap& glyph) {
    glyph_ = glyph.Clone();
    SkinData().InvalidateSkin();
}

ButtonGeometry TsBitBtn::Geometry() const {
    ButtonGeometry g;
    g.Width = Bounds().Width;
    g.Height = Bounds().Height;
    g.Glyph = {GlyphWidth(), GlyphHeight()};
    g.HasCaption = showCaption_ && !TextW().empty();
    g.Margin = margin_;
    g.Spacing = spacing_;
    g.Layout = layout_;
    g.Alignment = alignment_;
    g.Reflected = reflected_;
    return g;
}

TPoint TsBitBtn::TextSize() const {
    ButtonGeometry g = Geometry();
    const int width = CaptionLayoutWidth(g);
    const std::wstring caption = TextW();
    if (width <= 0 || caption.empty()) return {};
    const UINT flags = DT_CALCRECT | DT_EXPANDTABS | AlignmentFlags(textAlignment_) | (wordWrap_ ? DT_WORDBREAK : 0);
    // Every rebuild of the look measures the caption, which rarely changes between them.
    if (measured_.Font == FontHandle() && measured_.Width == width && measured_.Flags == flags &&
        measured_.Caption == caption)
        return measured_.Size;
    platform::SelectObjectScope font(MeasuringDc(), FontHandle());
    RECT r{0, 0, width, 0};
    DrawTextW(MeasuringDc(), caption.c_str(), static_cast<int>(caption.size()), &r, flags);
    measured_ = {caption, width, flags, FontHandle(), {r.right - r.left, r.bottom - r.top}};
    return measured_.Size;
}

ButtonGeometry TsBitBtn::MeasuredGeometry() const {
    ButtonGeometry g = Geometry();
    g.Text = TextSize();
    return g;
}

TRect TsBitBtn::GlyphRect() const { return ::lw::controls::GlyphRect(MeasuredGeometry(), CurrentState() == bsPressed); }

TRect TsBitBtn::CaptionRect() const { return ::lw::controls::CaptionRect(MeasuredGeometry()); }

// --- painting into the cache -------------------------------------------------------------------

void TsBitBtn::PaintCaption(int state, TRect r) {
    TsCommonData& d = SkinData();
    const std::string caption = Text();
    if (!d.CacheBmp || caption.empty()) return;
    if (state == bsPressed) r = {r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
    // The text engine's glyphs may overhang the measured width by a pixel or two at either
    // end; room on both sides keeps the last letter whole and the caption where it was.
    const TRect drawn{r.Left - 2, r.Top, r.Right + 2, r.Bottom};
    render::Surface surface(*d.CacheBmp);
    render::Canvas canvas{surface, bridge::ProcessTextEngine(), TextFontOf(*this)};
    const unsigned flags = AlignmentFlags(textAlignment_) | DT_VCENTER | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0);
    render::ControlText text{d.PaintRef(), canvas.Font, d.CustomFont(), false, {}};
    render::WriteControlText(canvas, caption, true, state != bsNormal, text, flags, drawn);
    const skin::TsGeneralData* gd = d.Section();
    // Asking the system for the focus costs more than the rest of the caption: it comes last.
    if (gd != nullptr && gd->ShowFocus && showFocus_ && showCaption_ && Enabled() && Focused()) {
        render::DrawFocusDots(
            surface, {r.Left - focusMargin_, r.Top - focusMargin_, r.Right + focusMargin_, r.Bottom + focusMargin_});
    }
}

void TsBitBtn::DrawButtonGlyph(int state, const TRect& r) {
    TsCommonData& d = SkinData();
    if (!d.CacheBmp) return;
    if (!HasListGlyph()) {
        if (!glyph_.Empty()) DrawBitmapGlyph(*d.CacheBmp, r, state);
        return;
    }
    const platform::TImageList* images = Images();
    const TsAlphaImageList* list = AlphaList(images);
    if (list == nullptr) {
        DrawPlainGlyph(*images, r, state);
        return;
    }
    const skin::TsGeneralData* gd = d.Section();
    const TColor tone = state == bsNormal && grayed_ && gd != nullptr ? ResolveColor(gd->Color) : NoTone;
    list->DrawGlyph(*d.CacheBmp, r.Left, r.Top, reflected_, numGlyphs_, state + (down_ ? 1 : 0), tone,
                    state == bsNormal ? blend_ : 0, ImageIndex());
}

void TsBitBtn::DrawPlainGlyph(const platform::TImageList& images, const TRect& r, int state) {
    // A list without alpha keeps its transparency in key-coloured pixels: the image is laid on
    // the key so that whatever it leaves uncovered stays out of the cache.
    const int gw = r.Width(), gh = r.Height();
    if (gw <= 0 || gh <= 0) return;
    bridge::TsDibSection glyph(gw, gh, render::PixelFormat::pf24bit);
    render::FillRectSolid(glyph.Surface(), {0, 0, gw, gh}, TransparentKey);
    const int shown = std::min(state + (down_ ? 1 : 0), std::max(numGlyphs_, 1) - 1);
    images.Draw(glyph.Dc(), -shown * gw, 0, ImageIndex());
    GdiFlush();

    DrawKeyedGlyph(*SkinData().CacheBmp, glyph.Bitmap(), TransparentKey, r, state, false);
}

void TsBitBtn::DrawBitmapGlyph(render::Bitmap& target, const TRect& r, int state) {
    const int gw = r.Width(), gh = r.Height();
    if (gw <= 0 || gh <= 0) return;
    if (glyph_.Format() == render::PixelFormat::pf32bit && numGlyphs_ <= 1) {
        render::Bitmap source = glyph_.Clone();
        DrawImage32(r, {0, 0, gw, gh}, target, reflected_, state == bsNormal ? blend_ : 0, NoTone, false,
                    render::EmptyCacheInfo, source);
        return;
    }
    const bool enabled = Enabled();
    const int frame = GlyphBitmapFrame(numGlyphs_, enabled, static_cast<TButtonState>(state), down_);
    render::Bitmap picture = render::CreateBmp24(gw, gh);
    for (int y = 0; y < gh; ++y)
        for (int x = 0; x < gw; ++x) std::copy_n(glyph_.Pixel(frame * gw + x, y), 3, picture.Pixel(x, y));
    const TColor key = render::ReadRgb(glyph_.Pixel(0, glyph_.Height() - 1));
    DrawKeyedGlyph(target, picture, key, r, state, !enabled && frame == 1);
}

void TsBitBtn::DrawKeyedGlyph(render::Bitmap& target, const render::Bitmap& glyph, TColor key, const TRect& r,
                              int state, bool disabledFrame) {
    render::Bitmap picture = glyph.Clone();
    // A glyph with a frame of its own for the disabled look is shown as drawn.
    const bool generated = !Enabled() && !disabledFrame;
    if ((state == bsNormal && grayed_) || (generated && (disabledGlyphKind_ & render::dkGrayed)))
        render::GrayscaleExceptKey(picture, key);
    // How much of the cache shows through the glyph; a disabled glyph is half seen, as the
    // toolkit's own lists draw it.
    double through = state == bsNormal ? blend_ / 100.0 : 0.0;
    if (generated && (disabledGlyphKind_ & render::dkBlended)) through = std::max(through, 0.5);
    render::BlendOverRect(target, {r.Left, r.Top}, key, through, {0, 0, picture.Width() - 1, picture.Height() - 1},
                          picture);
}

void TsBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    // The toolkit's own drawing knows list glyphs only; the button's bitmap is laid out here.
    if (HasListGlyph() || glyph_.Empty()) {
        TButton::DrawItem(item);
        return;
    }
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    DrawFrameControl(dc, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    const int w = area.right - area.left, h = area.bottom - area.top;
    bridge::TsDibSection canvas(w, h, render::PixelFormat::pf24bit);
    BitBlt(canvas.Dc(), 0, 0, w, h, dc, area.left, area.top, SRCCOPY);
    GdiFlush();
    const int state = pressed ? bsPressed : bsNormal;
    ButtonGeometry g = Geometry();
    g.Text = TextSize();
    DrawBitmapGlyph(canvas.Bitmap(), ::lw::controls::GlyphRect(g, pressed), state);
    BitBlt(dc, area.left, area.top, w, h, canvas.Dc(), 0, 0, SRCCOPY);

    if (showCaption_) {
        const std::wstring caption = TextW();
        TRect r = ::lw::controls::CaptionRect(g);
        if (pressed) r = {r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
        RECT text{area.left + r.Left, area.top + r.Top, area.left + r.Right, area.top + r.Bottom};
        const UINT flags = AlignmentFlags(textAlignment_) | DT_VCENTER | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0);
        platform::SelectObjectScope font(dc, FontHandle());
        SetBkMode(dc, TRANSPARENT);
        if (!Enabled()) {
            // Engraved: a highlight one pixel down and right, the shadow over it.
            RECT lit{text.left + 1, text.top + 1, text.right + 1, text.bottom + 1};
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &lit, flags);
        }
        SetTextColor(dc, GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, flags);
    }
    if (item.itemState & ODS_FOCUS) {
        RECT focus = area;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

void TsBitBtn::PrepareButtonCache() {
    TsCommonData& d = SkinData();
    const platform::TBounds& b = Bounds();
    render::TsBgRequest request;
    if (Parent() != nullptr) bridge::RequestBackground(request, *Parent(), false);
    const render::TsCacheInfo bg = render::BgRequestToCacheInfo(request);
    d.EnsureCache();
    if (d.CacheBmp->Empty()) return;
    const int state = CurrentState();
    const TRect whole = RectOfSize(0, 0, b.Width, b.Height);
    render::PaintControlBackground(d.PaintRef(), bg, state, *d.CacheBmp, {b.Left, b.Top}, whole);
    // A region no window took is freed here, before the new one replaces it.
    pendingRegion_.reset(CreateRectRgn(0, 0, b.Width, b.Height));

    auto paintBorder = [&] {
        const render::MaskRef* mask = d.BorderMask();
        if (mask == nullptr || (state == bsNormal && (mask->StretchMode & 2) != 0)) return;
        render::TsCacheInfo behind = bg;
        behind.X += b.Left;
        behind.Y += b.Top;
        render::PaintBorderMask(*d.CacheBmp, whole, false, true, state, *mask, behind);
        std::vector<RECT> corners;
        ForEachKeyCornerPixel(*mask, state, cnAll, b.Width, b.Height, [&corners](int x, int y) {
            corners.push_back({x, y, x + 1, y + 1});
        });
        CutPixels(pendingRegion_.get(), corners);
    };
    if (drawOverBorder_) paintBorder();
    // One state and one measure of the caption serve the whole rebuild: each asks the system.
    const ButtonGeometry layout = MeasuredGeometry();
    if (showCaption_) PaintCaption(state, ::lw::controls::CaptionRect(layout));
    DrawButtonGlyph(state, ::lw::controls::GlyphRect(layout, state == bsPressed));
    if (!drawOverBorder_) paintBorder();

    if (!Enabled()) {
        render::PaintDisabled(
            *d.CacheBmp, disabledKind_, [&d] { return ResolveColor(d.SectionColor(false)); }, {b.Left, b.Top},
            d.ParentCacheInfo());
    }
    if (OnPaint) OnPaint(*this, *d.CacheBmp);
    d.MarkFresh();
}

// --- painting onto the window ------------------------------------------------------------------

void TsBitBtn::ApplyRegion() {
    if (!pendingRegion_ || Handle() == nullptr) return;
    platform::GdiObject<HRGN> current(CreateRectRgn(0, 0, 0, 0));
    const bool has = GetWindowRgn(Handle(), current.get()) != ERROR;
    // The same region again changes nothing: it is freed rather than handed over.
    if (has && EqualRgn(current.get(), pendingRegion_.get())) {
        pendingRegion_.reset();
        return;
    }
    const bridge::TsSkinManager* manager = bridge::DefaultSkinManager();
    const bool redraw = manager != nullptr && manager->SkinChangeInProgress();
    // From here the window owns the region and frees it itself.
    if (SetWindowRgn(Handle(), pendingRegion_.get(), redraw))
        pendingRegion_.release();
    else
        pendingRegion_.reset();

    const platform::TBounds& b = Bounds();
    const bool shrank = b.Width < regionBounds_.Width || b.Height < regionBounds_.Height;
    if (shrank && Parent() != nullptr && Parent()->Handle() != nullptr) {
        render::TsBgRequest request;
        bridge::RequestBackground(request, *Parent(), false);
        if (request.Kind == 1) {
            const platform::TBounds& old = regionBounds_;
            const render::MaskRef* mask = SkinData().BorderMask();
            const int wr = mask ? mask->WR : 0, wb = mask ? mask->WB : 0, wl = mask ? mask->WL : 0;
            const RECT corners[] = {
                {old.Left + old.Width - wr, old.Top, old.Left + old.Width, old.Top + wb},
                {old.Left + old.Width - wr, old.Top + old.Height - wb, old.Left + old.Width, old.Top + old.Height},
                {old.Left, old.Top + old.Height - wb, old.Left + wl, old.Top + old.Height},
            };
            for (const RECT& r : corners) platform::RedrawShown(Parent()->Handle(), RDW_INVALIDATE | RDW_ERASE, &r);
        }
    }
    regionBounds_ = b;
}

void TsBitBtn::PaintButton(HDC given) {
    WithPaintDc(Handle(), reinterpret_cast<WPARAM>(given), [this](HDC dc) { PaintButtonOn(dc); });
}

void TsBitBtn::PaintButtonOn(HDC dc) {
    TsCommonData& d = SkinData();
    if (d.RefreshUpdating() || fadeTimer_ != nullptr) return;  // a running fade paints its own frames

    const platform::TBounds& b = Bounds();
    if (Parent() != nullptr && Parent()->Handle() != nullptr) {
        RECT client{};
        GetClientRect(Parent()->Handle(), &client);
        d.SetHalfVisible(b.Left < 0 || b.Top < 0 || b.Left + b.Width > client.right ||
                         b.Top + b.Height > client.bottom);
    }
    PrepareButtonCache();
    if (!d.CacheBmp || d.CacheBmp->Empty()) return;
    d.RestoreCorners(CurrentState(), cnAll);
    const int saved = SaveDC(dc);
    bridge::BlitToDc(dc, 0, 0, *d.CacheBmp, d.CacheBmp->Bounds());
    RestoreDC(dc, saved);
    // After the blit: the cache's corners already show what lies behind, so the first region
    // needs no second paint of the button and its parent.
    ApplyRegion();
}

// --- messages ----------------------------------------------------------------------------------

void TsBitBtn::ChangeLookFor(TgwAnimatEvent event, bool halfSpeed) {
    ChangeLook(fadeTimer_, *this, SkinData(), halfSpeed, 1, ShouldAnimate(event, AnimatEvents, skin::DefaultManager()));
}

// Lets the toolkit handle the message with redrawing off, so the platform's own look never
// flashes between skinned paints.
void TsBitBtn::WithoutRedraw(TMessage& m) {
    SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
    TButton::WndProc(m);
    SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
}

void TsBitBtn::SkinCommand(TMessage& m) {
    TsCommonData& d = SkinData();
    const bool own = OwnCommand(m);
    switch (skin::SkinCommandOf(m.WParam)) {
    case skin::SMC_SKINLOADED:
        if (own) StopFading();
        HandleSkinCommand(d, m);
        return;
    case skin::SMC_SKINREMOVED:
        if (own && !(ComponentState() & platform::csDestroying)) {
            StopFading();
            HandleSkinCommand(d, m);
            if (Handle() != nullptr) SetWindowRgn(Handle(), nullptr, TRUE);
            Invalidate();
        }
        return;
    case skin::SMC_REFRESH:
        if (own) {
            StopFading();
            HandleSkinCommand(d, m);
            Invalidate();
        }
        return;
    case skin::SMC_STOPANIM:
        StopFading();
        return;
    case skin::SMC_PREPARECACHE:
        PrepareButtonCache();
        HandleSkinCommand(d, m);
        return;
    case skin::SMC_FADEFRAME:
        pendingRegion_.reset();
        m.Result = 0;
        return;
    case skin::SMC_ENDUPDATE:
        if (d.Skinned() && d.IsUpdating()) {
            d.EndUpdate();
            Invalidate();
        }
        return;
    default:
        TsSkinned::SkinCommand(m);
        return;
    }
}

bool TsBitBtn::SkinLoaded(TMessage& m) {
    TsSkinned::SkinLoaded(m);
    // A glyph from the list wins for good: the bitmap would only be kept to be ignored.
    if (HasListGlyph()) glyph_ = render::Bitmap();
    return false;
}

// Without a skin the toolkit's button is shown; the mouse events still fire.
void TsBitBtn::UnskinnedMessage(TMessage& m) {
    TsCommonData& d = SkinData();
    if (m.Msg == platform::CM_FONTCHANGED) measured_ = {};
    if (m.Msg == platform::CM_MOUSEENTER && reinterpret_cast<platform::TControl*>(m.LParam) == this) {
        d.SetMouseInside(true);
        if (OnMouseEnter) OnMouseEnter(*this);
    } else if (m.Msg == platform::CM_MOUSELEAVE && reinterpret_cast<platform::TControl*>(m.LParam) == this) {
        d.SetMouseInside(false);
        if (OnMouseLeave) OnMouseLeave(*this);
    }
    TButton::WndProc(m);
}

void TsBitBtn::MouseDown(TMessage& m) {
    HoldHints(true);
    TButton::WndProc(m);  // the platform pushes the button and captures the mouse
    if (!Enabled()) return;
    pressedByMouse_ = true;
    if (down_) return;
    TsCommonData& d = SkinData();
    d.RefreshUpdating();
    d.MarkFresh();
    ChangeLookFor(aeMouseDown, true);
}

// No hint shows while the button is held; the display comes back as it was.
void TsBitBtn::HoldHints(bool hold) {
    if (platform::Application == nullptr || hold == hintsHeld_) return;
    platform::THints& hints = platform::Application->Hints();
    if (hold) hintsWereActive_ = hints.Active();
    hints.SetActive(hold ? false : hintsWereActive_);
    hintsHeld_ = hold;
}

void TsBitBtn::MouseUp(TMessage& m) {
    HoldHints(false);
    if (!pressedByMouse_ || !Enabled()) {
        StopFading();
        TButton::WndProc(m);
        return;
    }
    pressedByMouse_ = false;
    TsCommonData& d = SkinData();
    StopFading();
    d.MarkStale();
    forcePressed_ = true;
    RepaintNow();
    forcePressed_ = false;
    Sleep(kReleaseHoldMs);
    // The released look is made before the click runs: a click that opens a modal window
    // must not leave the button pressed behind it. The platform still holds it pushed, which
    // it needs to report the click.
    d.EndUpdate();
    d.MarkFresh();
    forceReleased_ = true;
    ChangeLookFor(aeMouseUp, true);
    forceReleased_ = false;
    TButton::WndProc(m);
}

void TsBitBtn::MouseEntered() {
    TsCommonData& d = SkinData();
    if (!Enabled() || d.MouseInside()) return;
    if (OnMouseEnter) OnMouseEnter(*this);
    d.SetMouseInside(true);
    d.MarkFresh();
    ChangeLookFor(aeMouseEnter, false);
}

void TsBitBtn::MouseLeft() {
    TsCommonData& d = SkinData();
    if (!Enabled()) return;
    if (OnMouseLeave) OnMouseLeave(*this);
    d.SetMouseInside(false);
    d.MarkFresh();
    ChangeLookFor(aeMouseLeave, false);
}

void TsBitBtn::SkinnedMessage(TMessage& m) {
    TsCommonData& d = SkinData();
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDown(m);
        return;
    case WM_LBUTTONUP:
        MouseUp(m);
        return;
    case WM_CAPTURECHANGED:  // the press ended elsewhere, by a window that took the mouse
        HoldHints(false);
        break;
    case platform::CM_MOUSEENTER:
        if (reinterpret_cast<platform::TControl*>(m.LParam) == this) MouseEntered();
        break;
    case platform::CM_MOUSELEAVE:
        if (reinterpret_cast<platform::TControl*>(m.LParam) == this) MouseLeft();
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        TButton::WndProc(m);  // the platform pushes and releases the button on the space key
        if (m.WParam == VK_SPACE && Enabled()) {
            StopFading();
            if (m.Msg == WM_KEYDOWN) HideGlow(d);
            d.MarkStale();
            RepaintNow();
        }
        return;
    case WM_MOVE:
        if (const skin::TsGeneralData* gd = d.Section();
            gd != nullptr && (gd->Transparency > 0 || (gd->HotTransparency > 0 && d.IsActive()))) {
            d.MarkStale();
            Invalidate();
        }
        break;
    case WM_SETFOCUS:
        if (Showing() && Enabled()) {
            WithoutRedraw(m);
            HandleWindowMessage(d, *this, m);
            if (fadeTimer_ != nullptr)
                fadeTimer_->FadeStep();
            else
                d.InvalidateSkin();
            return;
        }
        break;
    case WM_KILLFOCUS:
        if (Showing() && Enabled()) {
            StopFading();
            WithoutRedraw(m);
            HandleWindowMessage(d, *this, m);
            d.SetFocused(false);
            d.InvalidateSkin();
            return;
        }
        break;
    case WM_ENABLE:
        m.Result = 0;
        return;
    case WM_SETTEXT:
        if (Showing()) {
            StopFading();
            WithoutRedraw(m);
            return;
        }
        break;
    case WM_PAINT:
        if (Visible() && Parent() != nullptr) PaintButton(reinterpret_cast<HDC>(m.WParam));
        m.Result = 0;
        return;
    case WM_PRINTCLIENT:
        PaintButton(reinterpret_cast<HDC>(m.WParam));
        return;
    case WM_ERASEBKGND:
    case WM_UPDATEUISTATE:
        if (Visible()) {
            m.Result = 0;
            return;
        }
        break;
    case WM_WINDOWPOSCHANGED:
        d.MarkStale();
        break;
    case platform::CM_TEXTCHANGED:
        if (Visible()) d.InvalidateSkin();
        break;
    case platform::CN_DRAWITEM:
        m.Result = 1;  // the skin has painted the button already
        return;
    case platform::CM_FONTCHANGED:
        measured_ = {};  // a font's handle may come back for another font
        TButton::WndProc(m);
        d.EndUpdate();
        d.InvalidateSkin();
        return;
    case platform::CM_VISIBLECHANGED:
        TButton::WndProc(m);
        HandleWindowMessage(d, *this, m);
        if (Visible()) {
            d.MarkStale();
            d.EndUpdate();
            Invalidate();
        }
        return;
    case platform::CM_ENABLEDCHANGED:
        TButton::WndProc(m);
        HandleWindowMessage(d, *this, m);
        d.EndUpdate();
        d.InvalidateSkin();
        return;
    default:
        break;
    }
    if (!HandleWindowMessage(d, *this, m)) TButton::WndProc(m);
}

}  // namespace lw::controls
