#pragma once
// The adapters the window hook puts on the children of a standard dialog and on pop-up menus:
// each sits in front of the window's own procedure and paints what its kind needs from its
// skin section over the dialog's background; the rest stays the platform's.

#include <windows.h>

#include <memory>
#include <string>

#include "bridge/DibSection.h"
#include "controls/forms/core/SkinningRules.h"
#include "platform/MessageHook.h"

namespace lw::controls {

class TgwChildAdapter {
public:
    TgwChildAdapter(HWND window, ChildAdapterKind kind, std::string section);
    virtual ~TgwChildAdapter();
    TgwChildAdapter(const TgwChildAdapter&) = delete;
    TgwChildAdapter& operator=(const TgwChildAdapter&) = delete;

    HWND Handle() const { return window_; }
    ChildAdapterKind Kind() const { return kind_; }
    const std::string& Section() const { return section_; }
    // The window has been destroyed; the adapter no longer touches it.
    bool Gone() const { return gone_; }

protected:
    // Override to handle a message of the window; answer true when it is fully handled.
    virtual bool HandleMessage(platform::TMessage& message);
    void CallPrevious(platform::TMessage& message) { hook_.CallPrevious(message); }
    // Paints the window's client area: what lies behind it in the parent first, then `paint`.
    void PaintOverParent(HDC dc, const std::function<void(bridge::TsDibSection& canvas)>& paint);
    void Repaint();
    // Paints the client area; the base paints only what lies behind.
    virtual void PaintClient(HDC dc);
    // For a window whose client the adapter paints whole: paint and print messages go to
    // PaintClient and nothing is left to erase. True when the message was one of those.
    bool PaintWholeClient(platform::TMessage& message);
    // Sizes `canvas` to the client and fills it with the adapter's section (its colour, else
    // `fallback`, then its item painting); false when the window has no area to paint.
    bool PaintSectionCanvas(bridge::TsDibSection& canvas, COLORREF fallback) const;
    bool Hot() const { return hot_; }
    void TrackHover(const platform::TMessage& message);

private:
    void Dispatch(platform::TMessage& message);

    HWND window_;
    ChildAdapterKind kind_;
    std::string section_;
    bool gone_ = false;
    bool hot_ = false;
    bool tracking_ = false;
    bridge::TsDibSection canvas_{0, 0, render::PixelFormat::pf24bit};
    platform::TMessageHook hook_;
};

// The menu adapter of a pop-up menu window: the section's background with the items' text
// over it, the selected item from "MENUITEM"; the menu's own tracking stays the platform's.
class TgwMnuWnd final : public TgwChildAdapter {
public:
    explicit TgwMnuWnd(HWND window) : TgwChildAdapter(window, ChildAdapterKind::None, "MAINMENU") {}
    void Refresh() { Repaint(); }

protected:
    bool HandleMessage(platform::TMessage& message) override;
    void PaintClient(HDC dc) override;

private:
    bridge::TsDibSection menuCanvas_{0, 0, render::PixelFormat::pf24bit};
};

std::unique_ptr<TgwChildAdapter> MakeChildAdapter(const ChildAdapterChoice& choice, HWND child);

}  // namespace lw::controls
