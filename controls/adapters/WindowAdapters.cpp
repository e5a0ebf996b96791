#include "controls/adapters/WindowAdapters.h"

#include "controls/base/ControlSkinOwner.h"
#include "controls/adapters/WindowSkinOwner.h"

namespace lw::controls {

namespace {
constexpr wchar_t kAdapterProperty[] = L"GWSBSC";
}  // namespace

void AdapterRelease::operator()(TgwMainWnd* adapter) const {
    if (adapter == nullptr) return;
    // Unhooked while the whole object is alive, so that the class's own restoring runs.
    adapter->Unhook();
    if (adapter->depth_ > 0) {
        // Its own handler is on the stack: it must still be able to read its fields on the
        // way out. The outermost handler deletes it.
        adapter->releasePending_ = true;
        return;
    }
    delete adapter;
}

TgwMainWnd::TgwMainWnd(HWND window, std::string_view section, skin::SkinManagerView* manager, TsCommonData* data)
    : handle_(window), skinData_(data) {
    if (skinData_ == nullptr) {
        ownOwner_ = std::make_unique<WindowSkinOwner>(window);
        ownData_ = std::make_unique<TsCommonData>(*ownOwner_, true);
        skinData_ = ownData_.get();
    }
    skinManager_ = manager != nullptr ? manager : skinData_->GetSkinManager();
    if (skinData_->SkinSection().empty()) skinData_->SetSkinSection(section);
}

TgwMainWnd::~TgwMainWnd() { Unhook(); }

namespace {

// The platform's visual styles draw frames and bars of their own; they are off while we dress
// the window. Absent on platforms without the styles library.
using ThemeSwitch = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
ThemeSwitch SetWindowThemeFunction() {
    static const HMODULE library = LoadLibraryW(L"uxtheme.dll");
    static const auto function =
        library != nullptr
            ? reinterpret_cast<ThemeSwitch>(reinterpret_cast<void*>(GetProcAddress(library, "SetWindowTheme")))
            : nullptr;
    return function;
}

}  // namespace

void TgwMainWnd::Hook(bool) {
    if (ThemeSwitch setTheme = SetWindowThemeFunction(); setTheme != nullptr && SkinData().SkinSection() != "DIALOG") {
        setTheme(handle_, L" ", L" ");
    }
    SaveStdColors();
    ColorsApplied = false;
    SetPropW(handle_, kAdapterProperty, this);
    hook_ = std::make_unique<platform::TMessageHook>(handle_, [this](platform::TMessage& m) { Dispatch(m); });
}

void TgwMainWnd::Dispatch(platform::TMessage& message) {
    ++depth_;
    HandleMessage(message);
    if (--depth_ == 0 && releasePending_) delete this;
}

void TgwMainWnd::CallPrevious(platform::TMessage& message) {
    if (hook_) {
        hook_->CallPrevious(message);
    } else {
        message.Result = 0;
    }
}

void TgwMainWnd::Unhook() {
    if (Unhooked) return;
    Unhooked = true;
    const bool dying = hook_ == nullptr || !hook_->Attached();
    if (hook_) hook_->Remove();
    if (ThemeSwitch setTheme = SetWindowThemeFunction(); setTheme != nullptr && !dying && IsWindow(handle_)) {
        setTheme(handle_, nullptr, nullptr);
    }
    if (GetPropW(handle_, kAdapterProperty) == this) RemovePropW(handle_, kAdapterProperty);
    Unhooking(dying);
    GiveColorsBack();
}

void TgwMainWnd::GiveColorsBack() {
    if (!ColorsApplied) return;
    ColorsApplied = false;
    RestoreStdColors();
}

void TgwMainWnd::RefreshGeometry() {
    GetWindowRect(handle_, &WindowRect);
    WindowSize = SIZE{WindowRect.right - WindowRect.left, WindowRect.bottom - WindowRect.top};
    ParentHandle = GetParent(handle_);
    PosInParent = POINT{WindowRect.left, WindowRect.top};
    if (ParentHandle != nullptr) ScreenToClient(ParentHandle, &PosInParent);
}

TgwMainWnd* FindAdapter(HWND window) {
    return window != nullptr ? static_cast<TgwMainWnd*>(GetPropW(window, kAdapterProperty)) : nullptr;
}

TgwScrollBar* FindScrollBar(HWND window, int bar) {
    auto* adapter = dynamic_cast<TgwScrollWnd*>(FindAdapter(window));
    if (adapter == nullptr) return nullptr;
    if (bar == 0) return adapter->HorzBar.get();
    if (bar == 1) return adapter->VertBar.get();
    return nullptr;
}

bool SetMinThumbLength(HWND window, int bar, int length) {
    auto* adapter = dynamic_cast<TgwScrollWnd*>(FindAdapter(window));
    if (adapter == nullptr) return false;
    if ((bar == 0 || bar == 3) && adapter->HorzBar) adapter->HorzBar->MinThumbLength = length;
    if ((bar == 1 || bar == 3) && adapter->VertBar) adapter->VertBar->MinThumbLength = length;
    return true;
}

namespace {

HWND WindowOf(const TsCommonData& data) {
    auto* owner = dynamic_cast<ControlSkinOwner*>(&data.Owner());
    auto* control = owner != nullptr ? dynamic_cast<platform::TWinControl*>(&owner->Control()) : nullptr;
    return control != nullptr ? control->Handle() : nullptr;
}

template <class T>
void Attach(TsCommonData& data, AdapterPtr& slot, std::string_view section) {
    if (!data.Skinned()) {
        slot.reset();
        return;
    }
    if (slot && slot->Unhooked) slot.reset();
    if (slot) return;
    if (HWND window = WindowOf(data)) slot = TgwMainWnd::Create<T>(window, true, section, data.SkinManager(), &data);
}

// The platform's flat scroll bars, where it has them, would draw over ours.
using FlatScrollSwitch = BOOL(WINAPI*)(HWND);
FlatScrollSwitch FlatScrollFunction(const char* name) {
    static const HMODULE library = LoadLibraryW(L"comctl32.dll");
    return library != nullptr
               ? reinterpret_cast<FlatScrollSwitch>(reinterpret_cast<void*>(GetProcAddress(library, name)))
               : nullptr;
}

}  // namespace

void AttachEditAdapter(TsCommonData& data, AdapterPtr& slot) { Attach<TgwEditWnd>(data, slot, data.SkinSection()); }

void AttachScrollAdapter(TsCommonData& data, AdapterPtr& slot) {
    if (data.Owner().Loading() || data.Owner().Destroying()) return;
    HWND window = WindowOf(data);
    const bool had = slot != nullptr;
    if (window != nullptr && !slot && data.Skinned()) {
        static const FlatScrollSwitch off = FlatScrollFunction("UninitializeFlatSB");
        if (off != nullptr) off(window);
    }
    Attach<TgwScrollWnd>(data, slot, data.SkinSection());
    if (window != nullptr && had && !slot) {
        static const FlatScrollSwitch on = FlatScrollFunction("InitializeFlatSB");
        if (on != nullptr) on(window);
    }
}

void AttachTreeAdapter(TsCommonData& data, AdapterPtr& slot) { Attach<TgwTreeViewWnd>(data, slot, data.SkinSection()); }

}  // namespace lw::controls
