#include "controls/shell/SystemShell.h"

#include <cstring>

#include "platform/Text.h"

namespace lw::controls {
namespace {

using platform::Utf8ToWide;
using platform::WideToUtf8;

// An identifier list the shell made, copied into our own bytes and freed.
IdList TakeIdList(LPITEMIDLIST list) {
    IdList copy = CopyIdList(reinterpret_cast<const std::uint8_t*>(list), SIZE_MAX / 2);
    CoTaskMemFree(list);
    return copy;
}

PCUITEMID_CHILD AsChild(const IdList& list) { return reinterpret_cast<PCUITEMID_CHILD>(list.data()); }

// Reads a STRRET by its kind; an offset is bounded by the item it points into.
std::string ReadStrRet(STRRET& answer, const IdList& item) {
    switch (answer.uType) {
    case STRRET_WSTR: {
        std::string text = answer.pOleStr ? WideToUtf8(answer.pOleStr) : std::string();
        CoTaskMemFree(answer.pOleStr);
        return text;
    }
    case STRRET_OFFSET:
        return WideToUtf8(platform::AnsiToWide(ReadItemString(item, answer.uOffset)));
    case STRRET_CSTR:
        return WideToUtf8(platform::AnsiToWide(std::string(answer.cStr, strnlen(answer.cStr, sizeof answer.cStr))));
    }
    return {};
}

class ComShellFolder : public ShellFolder {
public:
    explicit ComShellFolder(IShellFolder* folder) : folder_(folder) {}
    ~ComShellFolder() override { folder_->Release(); }
    ComShellFolder(const ComShellFolder&) = delete;
    ComShellFolder& operator=(const ComShellFolder&) = delete;
    IShellFolder* Get() const { return folder_; }

    std::optional<std::vector<IdList>> Enumerate(std::uint32_t flags) override {
        IEnumIDList* items = nullptr;
        if (folder_->EnumObjects(nullptr, flags, &items) != S_OK || !items) return std::nullopt;
        std::vector<IdList> children;
        LPITEMIDLIST child = nullptr;
        ULONG fetched = 0;
        while (items->Next(1, &child, &fetched) == S_OK && fetched == 1) children.push_back(TakeIdList(child));
        items->Release();
        return children;
    }

    std::shared_ptr<ShellFolder> Bind(const IdList& child) override {
        IShellFolder* own = nullptr;
        if (SUCCEEDED(
                folder_->BindToObject(AsChild(child), nullptr, IID_IShellFolder, reinterpret_cast<void**>(&own))) &&
            own)
            return std::make_shared<ComShellFolder>(own);
        PCUITEMID_CHILD list = AsChild(child);
        own = nullptr;
        if (SUCCEEDED(
                folder_->GetUIObjectOf(nullptr, 1, &list, IID_IShellFolder, nullptr, reinterpret_cast<void**>(&own))) &&
            own)
            return std::make_shared<ComShellFolder>(own);
        return nullptr;
    }

    int Compare(const IdList& a, const IdList& b) override {
        const HRESULT result = folder_->CompareIDs(0, AsChild(a), AsChild(b));
        // A comparison the shell could not make counts as "same", keeping the order strict.
        return FAILED(result) ? 0 : static_cast<short>(HRESULT_CODE(result));
    }

    std::uint32_t Attributes(const IdList& child, std::uint32_t wanted) override {
        PCUITEMID_CHILD list = AsChild(child);
        SFGAOF attributes = wanted;
        return SUCCEEDED(folder_->GetAttributesOf(1, &list, &attributes)) ? attributes : 0;
    }

    std::optional<std::string> DisplayName(const IdList& child, NameKind kind) override {
        STRRET answer{};
        if (FAILED(folder_->GetDisplayNameOf(AsChild(child), static_cast<SHGDNF>(kind), &answer))) return std::nullopt;
        return ReadStrRet(answer, child);
    }

    std::optional<IdList> Rename(const IdList& child, const std::string& name) override {
        const std::wstring wide = Utf8ToWide(name);
        LPITEMIDLIST renamed = nullptr;
        if (FAILED(folder_->SetNameOf(nullptr, AsChild(child), wide.c_str(), SHGDN_NORMAL, &renamed)))
            return std::nullopt;
        if (renamed) return TakeIdList(renamed);
        // The shell renamed the item but gave no new list: ask for it by name.
        std::wstring parse = wide;
        if (SUCCEEDED(folder_->ParseDisplayName(nullptr, nullptr, parse.data(), nullptr, &renamed, nullptr)) && renamed)
            return TakeIdList(renamed);
        return std::nullopt;
    }

private:
    IShellFolder* folder_;
};

}  // namespace

SystemShell::OleSession::OleSession() : result(OleInitialize(nullptr)) {}
SystemShell::OleSession::~OleSession() {
    if (SUCCEEDED(result)) OleUninitialize();
}

SystemShell::SystemShell() {
    IShellFolder* desktop = nullptr;
    SHGetDesktopFolder(&desktop);
    desktop_ = std::make_shared<ComShellFolder>(desktop);
}

SystemShell::~SystemShell() = default;

IShellFolder* SystemShell::ComFolder(ShellFolder& folder) { return static_cast<ComShellFolder&>(folder).Get(); }

std::optional<IdList> SystemShell::SpecialFolder(int csidl) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) || !list) return std::nullopt;
    return TakeIdList(list);
}

std::optional<IdList> SystemShell::Parse(const std::string& path) {
    std::wstring wide = Utf8ToWide(path);
    LPITEMIDLIST list = nullptr;
    if (wide.empty() ||
        FAILED(ComFolder(*desktop_)->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &list, nullptr)) || !list)
        return std::nullopt;
    return TakeIdList(list);
}

std::string SystemShell::ExpandFileName(const std::string& path) {
    const std::wstring wide = Utf8ToWide(path);
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr));
    return WideToUtf8(full);
}

int SystemShell::IconIndex(const IdList& absolute, bool open) {
    SHFILEINFOW info{};
    const UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absolute.data()), 0, &info, sizeof info, flags);
    return info.iIcon;
}

HIMAGELIST SystemShell::SystemImages() {
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

namespace {
DWORD AttributesOf(const std::string& path) { return GetFileAttributesW(Utf8ToWide(path).c_str()); }
}  // namespace

bool SystemShell::FileExists(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SystemShell::DirectoryExists(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void SystemShell::OpenItem(const std::string& path, const std::string& folder) {
    ShellExecuteW(nullptr, nullptr, Utf8ToWide(path).c_str(), nullptr, Utf8ToWide(folder).c_str(), 0);
}

std::string SystemShell::CurrentDirectory() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    return WideToUtf8(folder);
}

bool SystemShell::ChangeDirectory(const std::string& path) {
    return ::SetCurrentDirectoryW(Utf8ToWide(path).c_str()) != 0;
}

}  // namespace lw::controls
