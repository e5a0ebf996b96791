#include "controls/comboedit/ComboEdit.h"

#include <shellapi.h>

#include "bridge/DibSection.h"
#include "controls/comboedit/DefaultGlyphList.h"
#include "controls/comboedit/ShellFolderChoiceHost.h"
#include "controls/base/core/BorderPainting.h"
#include "controls/base/core/ControlKinds.h"
#include "render/Blit.h"
#include "platform/DroppedFiles.h"
#include "platform/Text.h"

namespace lw::controls {

using skin::SM_ALPHACMD;
using skin::SMC_GETBG;
using skin::SMC_ISBGPENDING;
using skin::SMC_REFRESH;
using skin::SMC_SKINLOADED;
using skin::SMC_SKINREMOVED;

namespace {
constexpr int kBuiltInGlyphWidth = 16;
constexpr unsigned kAlt = 0x8000, kCtrl = 0x4000, kShift = 0x2000;

GlyphListShape ShapeOf(const controls::TsAlphaImageList& list) { return {list.Width(), list.Height(), list.Count()}; }

// The shape the built-in glyphs have even before their list is loaded, so that the button
// is sized alike with and without it.
GlyphListShape BuiltInShape() {
    const controls::TsAlphaImageList* list = DefaultGlyphList();
    return list != nullptr ? ShapeOf(*list) : GlyphListShape{3 * kBuiltInGlyphWidth, kBuiltInGlyphWidth, 0};
}

}  // namespace

TsCustomComboEdit::TsCustomComboEdit(platform::TComponent* owner, platform::TWinControl* parent)
    : TsMaskEdit(owner, parent), buttonWidth_(kBuiltInGlyphWidth) {
    SkinData().ControlKind = controls::ckComboEdit;
    SetWindowLongW(Handle(), GWL_STYLE, GetWindowLongW(Handle(), GWL_STYLE) | WS_CLIPCHILDREN);
    button_ = &Make<TsEditButton>(this);
    button_->OnClick = [this] { ButtonClick(); };
    button_->Glyph = [this](int state) { return GlyphFor(state); };
    button_->PaintBackground = [this](render::Bitmap& cache) { PaintButtonBackground(cache); };
    button_->OnMouseEnter = [this] { ButtonHover(true); };
    button_->OnMouseLeave = [this] { ButtonHover(false); };
    platform::TBounds bounds = Bounds();
    bounds.Height = 21;
    SetBounds(bounds);
}

TsEditButton* TsCustomComboEdit::LiveButton() const {
    if (button_ == nullptr || (button_->ComponentState() & (platform::csLoading | platform::csDestroying)))
        return nullptr;
    return button_;
}

void TsCustomComboEdit::SetDirectInput(bool directInput) {
    input_.DirectInput = directInput;
    TEdit::SetReadOnly(input_.EditReadOnly());
}

void TsCustomComboEdit::SetReadOnly(bool readOnly) {
    input_.ReadOnly = readOnly;
    TEdit::SetReadOnly(input_.EditReadOnly());
}

void TsCustomComboEdit::SetShowButton(bool show) {
    showButton_ = show;
    PlaceButton();
}

void TsCustomComboEdit::SetGlyphIndex(int index) {
    if (index == glyphIndex_) return;
    glyphIndex_ = index;
    if (button_ != nullptr) button_->SkinData().InvalidateSkin();
}

void TsCustomComboEdit::GlyphChanged() {
    const controls::TsAlphaImageList* own = glyphMode_.Images();
    const GlyphListShape ownShape = own != nullptr ? ShapeOf(*own) : GlyphListShape{};
    const GlyphListShape builtIn = BuiltInShape();
    buttonWidth_ = GlyphWidthOf(SizingList(glyphMode_.Indexes(), own != nullptr ? &ownShape : nullptr, builtIn)) + 2;
    PlaceButton();
    if (button_ != nullptr) button_->SkinData().InvalidateSkin();
}

EditButtonGlyph TsCustomComboEdit::GlyphFor(int state) const {
    const controls::TsAlphaImageList* own = glyphMode_.Images();
    const GlyphListShape ownShape = own != nullptr ? ShapeOf(*own) : GlyphListShape{};
    const GlyphChoice choice =
        ChooseGlyph(glyphMode_.Indexes(), own != nullptr ? &ownShape : nullptr, BuiltInShape(), glyphIndex_, state);
    return {choice.OwnList ? own : DefaultGlyphList(), choice.Index, choice.StateCount, choice.State};
}

void TsCustomComboEdit::SetBounds(const platform::TBounds& bounds) {
    TEdit::SetBounds(bounds);
    PlaceButton();
}

void TsCustomComboEdit::PlaceButton() {
    if (!button_) return;
    RECT client;
    GetClientRect(Handle(), &client);
    const int width = ShownButtonWidth();
    button_->SetVisible(showButton_);
    button_->SetBounds({client.right - width, 0, width, client.bottom});
    // The text area ends where the button begins.
    SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
    SkinData().MarkStale();
}

TsCustomComboEdit::CacheTextLayout TsCustomComboEdit::CacheText(int a) const {
    const platform::TBounds& b = Bounds();
    return {{a, a, b.Width - a - ShownButtonWidth(), b.Height - a},
            DT_LEFT | DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX};
}

// Where the client area starts inside the window: the button's place in the field's image is
// its place in the client area moved by this.
POINT TsCustomComboEdit::ClientOrigin() const {
    POINT origin{0, 0};
    RECT window{};
    ClientToScreen(Handle(), &origin);
    GetWindowRect(Handle(), &window);
    return {origin.x - window.left, origin.y - window.top};
}

void TsCustomComboEdit::PaintButtonBackground(render::Bitmap& cache) {
    PrepareCacheIfStale();
    const controls::TsCommonData& d = SkinData();
    const POINT origin = ClientOrigin();
    const platform::TBounds& place = button_->Bounds();
    render::CopyPixels(cache, {0, 0}, *d.CacheBmp,
                       RectOfSize(place.Left + origin.x, place.Top + origin.y, cache.Width(), cache.Height()));
}

// The whole field from its image, frame and text included, and the button on it: the
// platform's own printing of the client area would land over the frame.
void TsCustomComboEdit::Print(HDC dc) {
    controls::TsCommonData& d = SkinData();
    d.EndUpdate();
    PrepareCacheIfStale();
    d.RestoreCorners(0, controls::cnAll);
    bridge::BlitToDc(dc, 0, 0, *d.CacheBmp, d.CacheBmp->Bounds());
    PrintButton(dc);
}

void TsCustomComboEdit::PrintButton(HDC dc) {
    TsEditButton* button = LiveButton();
    if (button == nullptr || !showButton_ || !button->SkinData().Skinned()) return;
    button->PrepareCache();
    const render::Bitmap* image = button->SkinData().CacheBmp.get();
    if (image == nullptr || image->Empty()) return;
    const POINT origin = ClientOrigin();
    bridge::BlitToDc(dc, button->Bounds().Left + origin.x, button->Bounds().Top + origin.y, *image, image->Bounds());
}

// The field keeps its hot look while the mouse is over its button, and loses it when the mouse
// leaves the button for anywhere but the field.
void TsCustomComboEdit::ButtonHover(bool entered) {
    if (entered) {
        if (!SkinData().MouseInside()) Perform(platform::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    if (WindowFromPoint(cursor) != Handle()) Perform(platform::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
}

void TsCustomComboEdit::ButtonClick() {
    if (!input_.ButtonWorks()) return;
    ButtonAction();
}

void TsCustomComboEdit::ButtonAction() {
    if (OnButtonClick) OnButtonClick();
}

bool TsCustomComboEdit::IsClickKey(WPARAM key) const {
    unsigned shift = 0;
    if (GetKeyState(VK_MENU) < 0) shift |= kAlt;
    if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrl;
    if (GetKeyState(VK_SHIFT) < 0) shift |= kShift;
    return (shift | static_cast<unsigned>(key)) == ClickKey;
}

bool TsCustomComboEdit::FieldSkinCommand(platform::TMessage& m) {
    switch (skin::SkinCommandOf(m.WParam)) {
    case skin::SMC_SKINLOADED:
    case skin::SMC_SKINREMOVED:
    case skin::SMC_REFRESH:
        TsMaskEdit::WndProc(m);
        if (TsEditButton* button = LiveButton()) button->Perform(skin::SM_ALPHACMD, m.WParam, m.LParam);
        PlaceButton();
        return true;
    case skin::SMC_ISBGPENDING:
        m.Result = 0;  // the field's image is always there for the button to take from
        return true;
    case skin::SMC_GETBG: {
        // Children lie inside the frame: their background starts that far into the field's
        // image. A request painted at once carries its place in; any other gets it back.
        auto* request = reinterpret_cast<render::TsBgRequest*>(m.LParam);
        const POINT origin = ClientOrigin();
        const bool drawNow = request != nullptr && request->DrawNow;
        if (drawNow) {
            request->OffsetX += origin.x;
            request->OffsetY += origin.y;
        }
        TsMaskEdit::WndProc(m);
        if (request != nullptr && !drawNow && request->Kind == 2) {
            request->OffsetX += origin.x;
            request->OffsetY += origin.y;
        }
        return true;
    }
    default:
        return false;
    }
}

void TsCustomComboEdit::WndProc(platform::TMessage& m) {
    switch (m.Msg) {
    case skin::SM_ALPHACMD:
        if (FieldSkinCommand(m)) return;
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (IsClickKey(m.WParam) && ShownButtonWidth() > 0) {
            ButtonClick();
            return;
        }
        break;
    case WM_LBUTTONDOWN:
        SkinData().MarkStale();
        break;
    case platform::CM_MOUSELEAVE:
        if (reinterpret_cast<platform::TControl*>(m.LParam) == this && button_ != nullptr) {
            POINT cursor{};
            GetCursorPos(&cursor);
            if (WindowFromPoint(cursor) == button_->Handle()) return;  // still over the field, on its button
        }
        break;
    case WM_SIZE:
        TsMaskEdit::WndProc(m);
        PlaceButton();
        return;
    case WM_PRINT:
        if (m.WParam != 0 && SkinData().Skinned()) {
            Print(reinterpret_cast<HDC>(m.WParam));
            return;
        }
        break;
    }
    TsMaskEdit::WndProc(m);
}

TsFileDirEdit::TsFileDirEdit(platform::TComponent* owner, platform::TWinControl* parent)
    : TsCustomComboEdit(owner, parent) {
    SkinData().ControlKind = controls::ckFileDirEdit;
    SetMaxLength(255);
}

namespace {

using PathConversion = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);

std::string Converted(const std::string& folder, PathConversion convert) {
    const std::wstring wide = platform::Utf8ToWide(folder);
    std::wstring out(MAX_PATH, L'\0');
    DWORD length = convert(wide.c_str(), out.data(), static_cast<DWORD>(out.size()));
    if (length > out.size()) {
        out.resize(length);
        length = convert(wide.c_str(), out.data(), static_cast<DWORD>(out.size()));
    }
    if (length == 0 || length > out.size()) return folder;
    out.resize(length);
    return platform::WideToUtf8(out);
}

}  // namespace

std::string TsFileDirEdit::LongName() const {
    return ConvertFolders(Text(), MultipleDirs, [](const std::string& f) { return Converted(f, GetLongPathNameW); });
}

std::string TsFileDirEdit::ShortName() const {
    return ConvertFolders(Text(), MultipleDirs, [](const std::string& f) { return Converted(f, GetShortPathNameW); });
}

void TsFileDirEdit::SetAcceptFiles(bool accept) {
    acceptFiles_ = accept;
    DragAcceptFiles(Handle(), accept);
}

void TsFileDirEdit::WndProc(platform::TMessage& m) {
    if (m.Msg == WM_DROPFILES) {
        HDROP drop = reinterpret_cast<HDROP>(m.WParam);
        // A name that does not come back whole is never entered cut.
        const std::vector<std::optional<std::string>> names = platform::DroppedNames(drop);
        DragFinish(drop);
        ShellFolderChoiceHost host;
        SetText(DroppedText(host, Text(), names, MultipleDirs));
        if (OnDropFiles) OnDropFiles();
        return;
    }
    TsCustomComboEdit::WndProc(m);
}

}  // namespace lw::controls
