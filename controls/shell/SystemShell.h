#pragma once
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <commctrl.h>

#include <memory>

#include "controls/shell/core/ShellNamespace.h"

namespace lw::controls {

// The platform shell's namespace behind the tree's seam. Creating it initialises OLE for the
// thread; the desktop folder it holds is released before OLE is uninitialised.
class SystemShell : public ShellNamespace {
public:
    SystemShell();
    ~SystemShell() override;
    SystemShell(const SystemShell&) = delete;
    SystemShell& operator=(const SystemShell&) = delete;

    std::shared_ptr<ShellFolder> Desktop() override { return desktop_; }
    std::optional<IdList> SpecialFolder(int csidl) override;
    std::optional<IdList> Parse(const std::string& path) override;
    std::string ExpandFileName(const std::string& path) override;
    int IconIndex(const IdList& absolute, bool open) override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    void OpenItem(const std::string& path, const std::string& folder) override;
    std::string CurrentDirectory() override;
    bool ChangeDirectory(const std::string& path) override;

    // The process's small-icon system image list.
    static HIMAGELIST SystemImages();
    // The platform folder behind one of ours, for the context menu.
    static IShellFolder* ComFolder(ShellFolder& folder);

private:
    struct OleSession {
        OleSession();
        ~OleSession();
        HRESULT result;
    };
    OleSession ole_;
    std::shared_ptr<ShellFolder> desktop_;
};

}  // namespace lw::controls
