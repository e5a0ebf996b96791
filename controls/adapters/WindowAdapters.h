#pragma once
// Window adapters: small objects that sit in front of a platform-drawn window's message
// handling (an EDIT, a LISTBOX, a tree view, a dialog's child), own its non-client area, paint
// the frame of its skin section and replace the platform's scroll bars by skinned ones that
// they paint, hit-test and drive themselves. The window keeps doing everything else and hears
// about scrolling through the ordinary scroll messages.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "controls/base/core/CommonData.h"
#include "controls/scrollbars/ScrollBar.h"
#include "platform/MessageHook.h"

namespace lw::controls {

class TgwMainWnd;

// Frees an adapter, but never from under its own running handler: one freed while it handles
// a message is unhooked at once and deleted when that handler returns.
struct AdapterRelease {
    void operator()(TgwMainWnd* adapter) const;
};
// The slot in which a control keeps its adapter. Declare it after the control's common data:
// the adapter reads that data while it gives the window back.
using AdapterPtr = std::unique_ptr<TgwMainWnd, AdapterRelease>;

class TgwMainWnd {
public:
    // Makes an adapter of class T for `window` and hooks it. `manager` null: the data's manager;
    // `data` null: the adapter makes common data of its own. With hookNow a scroll adapter
    // recalculates the window's frame at once. In dialog mode (a child of a standard dialog)
    // the frame is painted plainly.
    template <class T>
    static AdapterPtr Create(HWND window, bool hookNow, std::string_view section, skin::SkinManagerView* manager,
                             TsCommonData* data, bool dialogMode = false) {
        AdapterPtr adapter(new T(window, section, manager, data));
        adapter->DialogMode = dialogMode;
        adapter->Hook(hookNow);
        return adapter;
    }

    virtual ~TgwMainWnd();
    TgwMainWnd(const TgwMainWnd&) = delete;
    TgwMainWnd& operator=(const TgwMainWnd&) = delete;

    // Override to remember / give back / apply the control's own colours.
    virtual void SaveStdColors() {}
    virtual void RestoreStdColors() {}
    virtual void SetSkinColors() { ColorsApplied = true; }
    // The control's own colours back, once: the skin's removal and the unhooking that follows
    // it both ask, and every colour set anew repaints the window.
    void GiveColorsBack();
    // Override to handle the window's messages; unhandled ones go to CallPrevious.
    virtual void HandleMessage(platform::TMessage& message);

    // Passes a message to the handler that was in place before the adapter.
    void CallPrevious(platform::TMessage& message);
    // Gives the window back to its previous handler; runs once.
    void Unhook();

    HWND Handle() const { return handle_; }
    TsCommonData& SkinData() const { return *skinData_; }
    skin::SkinManagerView* SkinManager() const { return skinManager_; }

    bool DialogMode = false;
    RECT WindowRect{};
    SIZE WindowSize{};
    POINT PosInParent{};
    HWND ParentHandle = nullptr;
    bool SuppressRefresh = false;
    bool ColorsApplied = false;
    TColor SavedColor = 0;
    TColor SavedFontColor = 0;
    bool Unhooked = false;

protected:
    TgwMainWnd(HWND window, std::string_view section, skin::SkinManagerView* manager, TsCommonData* data);
    // The steps of creation that need the final class: colours saved, window hooked.
    virtual void Hook(bool hookNow);
    // Override to undo what the class did to the window when it is given back.
    virtual void Unhooking(bool windowDying) { (void)windowDying; }
    // Window geometry as it is now (rectangles, size, place in the parent).
    void RefreshGeometry();
    // True once the adapter gave the window back (its skin was removed or the window died while
    // the message was passed on): the handler must leave the window alone from then on.
    bool Gone() const { return Unhooked; }
    // The skin commands every adapter answers alike; true when fully handled.
    bool HandleCommonCommand(platform::TMessage& message);
    bool OwnManager(const platform::TMessage& message) const;
    void MakeHoverWindow();

private:
    friend struct AdapterRelease;
    void Dispatch(platform::TMessage& message);

    HWND handle_;
    skin::SkinManagerView* skinManager_;
    TsCommonData* skinData_;
    std::unique_ptr<TsCommonData> ownData_;
    std::unique_ptr<SkinOwner> ownOwner_;
    std::unique_ptr<platform::TMessageHook> hook_;
    int depth_ = 0;  // handlers of this adapter running now
    bool releasePending_ = false;
};

// Adds the skinned scroll bars.
class TgwScrollWnd : public TgwMainWnd {
public:
    ~TgwScrollWnd() override;
    void HandleMessage(platform::TMessage& message) override;

    std::unique_ptr<TgwScrollBar> HorzBar;
    std::unique_ptr<TgwScrollBar> VertBar;
    bool ThumbTracking = false;
    bool LeftScrollBar = false;
    int EdgeLeft = 0, EdgeRight = 0, EdgeTop = 0, EdgeBottom = 0;
    bool PreventStyleChange = false;

protected:
    using TgwMainWnd::TgwMainWnd;
    friend class TgwMainWnd;
    void Hook(bool hookNow) override;
    void Unhooking(bool windowDying) override;
};

// Plain frame; the skin's cache and refresh rules for windows with scroll bars.
class TgwBaseWnd : public TgwScrollWnd {
public:
    void HandleMessage(platform::TMessage& message) override;

protected:
    // Override to paint the window's frame into the common data's cache when it is stale.
    virtual void PaintFrameToCache() {}

    using TgwScrollWnd::TgwScrollWnd;
    friend class TgwMainWnd;
};

// Multi-line edits and list boxes: the section's frame painted around the window.
class TgwEditWnd : public TgwBaseWnd {
public:
    void SaveStdColors() override;
    void RestoreStdColors() override;
    void SetSkinColors() override;
    void HandleMessage(platform::TMessage& message) override;

protected:
    TgwEditWnd(HWND window, std::string_view section, skin::SkinManagerView* manager, TsCommonData* data);
    friend class TgwMainWnd;
    void PaintFrameToCache() override;

private:
    // The frame ring from the cache and the bars over it, on the window's own device context.
    void PaintFrame();
    // The whole window into another device context (WM_PRINT).
    void Print(HDC dc);
    // The border mask's transparent corners take what lies behind the window.
    void FillCorners();
    TColor DialogBorderColor() const;
    // What follows the whole chain's handling of a message.
    void AfterMessage(const platform::TMessage& message);
};

// Tree views (the folder tree).
class TgwTreeViewWnd : public TgwEditWnd {
public:
    void SetSkinColors() override;
    void RestoreStdColors() override;
    void HandleMessage(platform::TMessage& message) override;

protected:
    using TgwEditWnd::TgwEditWnd;
    friend class TgwMainWnd;
};

// The edit adapter for a skinned memo or list box: made when the control is skinned and its
// slot is empty (or holds an unhooked adapter), freed when the control is not skinned. Calling
// it again while a live adapter is in the slot does nothing.
void AttachEditAdapter(TsCommonData& data, AdapterPtr& slot);
// The same with a plain scroll adapter; nothing while the control loads or is destroyed.
void AttachScrollAdapter(TsCommonData& data, AdapterPtr& slot);
// The same with the tree-view adapter.
void AttachTreeAdapter(TsCommonData& data, AdapterPtr& slot);

// The adapter hooked into `window` (its "GWSBSC" property), or null.
TgwMainWnd* FindAdapter(HWND window);
// A bar of the window's adapter: 0 horizontal, 1 vertical; null for any other selector.
TgwScrollBar* FindScrollBar(HWND window, int bar);
// The smallest slider of the window's bars (0 horizontal, 1 vertical, 3 both); false without
// an adapter.
bool SetMinThumbLength(HWND window, int bar, int length);

}  // namespace lw::controls
