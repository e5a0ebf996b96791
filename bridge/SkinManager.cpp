#include "bridge/SkinManager.h"

#include <shellapi.h>

#include <optional>
#include <span>
#include <string_view>

#include "bridge/LayeredGlowHost.h"
#include "bridge/SkinCommands.h"
#include "platform/Application.h"
#include "skin/ImageDecoders.h"
#include "platform/Form.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "skin/BroadcastWalk.h"

namespace lw::bridge {

namespace {

const skin::DiskSkinFiles& ProcessSkinFiles() {
    static const skin::DiskSkinFiles files = [] {
        skin::DiskSkinFiles f;
        f.ExeFolder = platform::WideToUtf8(platform::ExecutableFolder());
        return f;
    }();
    return files;
}

unsigned CommandOf(skin::SkinBroadcast what) {
    switch (what) {
    case skin::SkinBroadcast::SkinLoaded:
        return skin::SMC_SKINLOADED;
    case skin::SkinBroadcast::SkinRemoved:
        return skin::SMC_SKINREMOVED;
    case skin::SkinBroadcast::StopAnim:
        return skin::SMC_STOPANIM;
    case skin::SkinBroadcast::Refresh:
        return skin::SMC_REFRESH;
    }
    return 0;
}

// The application's forms as the first level of a broadcast: a form still without a window or
// being destroyed is left out; a skinned form passes the command on itself, the controls of
// an unskinned one are walked.
struct FormsTree {
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    std::vector<platform::TForm*> Forms;

    int ChildCount(std::nullptr_t) const { return static_cast<int>(Forms.size()); }
    platform::TForm* ChildAt(std::nullptr_t, int i) const { return Forms[static_cast<std::size_t>(i)]; }
    skin::BroadcastRoute Route(platform::TForm* form) const {
        if ((form->ComponentState() & platform::csDestroying) != 0 || form->Handle() == nullptr)
            return skin::BroadcastRoute::Skip;
        return SendSkinCommandToWindow(form->Handle(), skin::SMC_ISSKINNED, 0) != 0 ? skin::BroadcastRoute::Send
                                                                                    : skin::BroadcastRoute::Descend;
    }
    void Send(platform::TForm* form) const { SendMessageW(form->Handle(), Message, WParam, LParam); }
    void CallHandler(platform::TForm*) const {}
};

}  // namespace

TsSkinManager::TsSkinManager(platform::TComponent* owner)
    : TComponent(owner), SkinManagerCore(static_cast<skin::SkinManagerHost&>(*this), ProcessSkinFiles()) {
    LoadBuiltInShadows(*this);
    if ((ComponentState() & platform::csLoading) != 0) BeginReading();
    if (IsDefault()) HookApplication();
}

TsSkinManager::~TsSkinManager() {
    applicationHook_.reset();
    if (!SkinManagerCore::Destroying()) Destroying();
}

void TsSkinManager::Destroying() { BeginDestruction(); }

void TsSkinManager::Loaded() { SkinManagerCore::Loaded(); }

void TsSkinManager::SetHoverWindow(HWND window) {
    if (window == hoverWindow_) return;
    if (hoverWindow_ != nullptr) SendSkinCommandToWindow(hoverWindow_, skin::SMC_HOTLEAVE, CommandId());
    hoverWindow_ = window;
    if (window != nullptr) SendSkinCommandToWindow(window, skin::SMC_HOTENTER, CommandId());
}

void TsSkinManager::SetFormSkinning(std::unique_ptr<FormSkinningService> service) {
    formSkinning_ = std::move(service);
    if (GlobalInfo().Active) InstallFormHook();
}

void TsSkinManager::InstallFormHook() {
    if (IsDefault() && formSkinning_) formSkinning_->InstallHook();
}

void TsSkinManager::RemoveFormHook() {
    if (IsDefault() && formSkinning_) formSkinning_->RemoveHook();
}

void TsSkinManager::Broadcast(skin::SkinBroadcast what) {
    FormsTree tree{skin::SM_ALPHACMD, skin::SkinWParam(CommandOf(what)), CommandId(), platform::TForm::AllForms()};
    for (int i = 0; i < tree.ChildCount(nullptr); ++i) {
        platform::TForm* form = tree.ChildAt(nullptr, i);
        switch (tree.Route(form)) {
        case skin::BroadcastRoute::Send:
            // A form the form skinning has taken on is reached through its list below.
            if (!formSkinning_) tree.Send(form);
            break;
        case skin::BroadcastRoute::Descend:
            BroadcastToChildren(*form, tree.Message, tree.WParam, tree.LParam);
            break;
        default:
            break;
        }
    }
    if (formSkinning_) formSkinning_->Broadcast(tree.Message, tree.WParam, tree.LParam);
}

void TsSkinManager::HookApplication() {
    platform::TForm* main = platform::Application != nullptr ? platform::Application->MainForm() : nullptr;
    if (main == nullptr) return;
    applicationHook_ =
        std::make_unique<platform::TMessageHook>(*main, [this](platform::TMessage& m) { ApplicationMessage(m); });
}

void TsSkinManager::ApplicationMessage(platform::TMessage& m) {
    if (SkinnedPopups) {
        switch (m.Msg) {
        case WM_THEMECHANGED:  // the system's theme would undo what the skin paints
            m.Result = 0;
            return;
        case WM_ACTIVATEAPP:  // back in front: every form shows itself anew, then the notice goes on
            if (m.WParam != 0)
                for (platform::TForm* form : platform::TForm::AllForms())
                    if (form->Handle() != nullptr && !(form->ComponentState() & platform::csDestroying))
                        SendSkinCommandToWindow(form->Handle(), skin::SMC_REPAINT, 0);
            break;
        default:
            break;
        }
    }
    applicationHook_->CallPrevious(m);
}

void TsSkinManager::SuspendDrawing() {
    suspended_.clear();
    for (platform::TForm* form : platform::TForm::AllForms()) {
        const HWND window = form->Handle();
        if (window == nullptr || !IsWindowVisible(window) || (form->ComponentState() & platform::csDestroying))
            continue;
        SendMessageW(window, WM_SETREDRAW, FALSE, 0);
        suspended_.push_back(window);
    }
}

void TsSkinManager::ResumeDrawing() {
    for (const HWND window : suspended_) {
        if (!IsWindow(window)) continue;
        SendMessageW(window, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window, nullptr, nullptr,
                     RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    suspended_.clear();
}

void TsSkinManager::HideAllGlows() { render::HideAllGlowWindows(ProcessGlows()); }

void TsSkinManager::ShowNotice(std::string_view text) {
    static platform::MessageBoxPrompt systemBox;
    platform::Prompt& prompt = prompt_ != nullptr ? *prompt_ : systemBox;
    prompt.Show(nullptr, text, platform::Application != nullptr ? platform::Application->Title : "", MB_OK);
}

TsSkinManager* DefaultSkinManager() { return dynamic_cast<TsSkinManager*>(skin::DefaultManager()); }

bool ShowVersionNoticeIfAsked(const std::vector<std::string>& arguments, platform::Prompt& prompt) {
    if (!skin::WantsVersionNotice(arguments)) return false;
    prompt.Show(nullptr, skin::kLibraryVersionText,
                platform::Application != nullptr ? platform::Application->Title : "", MB_OK);
    return true;
}

std::vector<std::string> CommandLineArguments(const wchar_t* commandLine) {
    // The program's name alone, the usual start, is read here: the shell's splitting would load
    // its library and the two it needs, some milliseconds before the first window. The name is
    // quoted to the next quote, else it ends at the first blank.
    const std::wstring_view line(commandLine);
    const bool quoted = line.starts_with(L'"');
    const std::size_t nameEnd = quoted ? line.find(L'"', 1) : line.find_first_of(L" \t");
    const std::wstring_view rest = nameEnd == std::wstring_view::npos ? L"" : line.substr(nameEnd + (quoted ? 1 : 0));
    if (!line.empty() && rest.find_first_not_of(L" \t") == std::wstring_view::npos) {
        const std::wstring_view name = quoted ? line.substr(1, nameEnd - 1) : line.substr(0, nameEnd);
        return {platform::WideToUtf8(std::wstring(name))};
    }
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(commandLine, &count);
    if (argv == nullptr) return arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(platform::WideToUtf8(argv[i]));
    LocalFree(argv);
    return arguments;
}

namespace {

std::span<const std::uint8_t> ProgramResource(const wchar_t* name) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (found == nullptr) return {};
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
    if (bytes == nullptr) return {};
    return {bytes, SizeofResource(module, found)};
}

}  // namespace

skin::ByteBuffer EmbeddedInternalSkin(const wchar_t* resource) {
    const std::span<const std::uint8_t> bytes = ProgramResource(resource);
    return skin::ByteBuffer(bytes.begin(), bytes.end());
}

bool LoadBuiltInShadows(skin::SkinManagerCore& manager) {
    // The program's own resources never change: decoded once, kept for every manager to come.
    static const std::optional<render::Bitmap> active = skin::DecodePng(ProgramResource(L"GWSHDA"));
    static const std::optional<render::Bitmap> inactive = skin::DecodePng(ProgramResource(L"GWSHDI"));
    const bool both = active && inactive;
    manager.SetBuiltInShadows(both ? &*active : nullptr, both ? &*inactive : nullptr);
    return both;
}

}  // namespace lw::bridge
