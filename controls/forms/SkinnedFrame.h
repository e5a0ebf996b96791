#pragma once
// The skinned frame of a top-level window: a non-client area of our own (title bar from
// "FORMTITLE", border nine-sliced from the window's section, close button from "BICONCLOSE",
// size grip from "GRIPIMAGE") and the client background from the section, cached.
//
// The window's caption bits are taken away while the frame is on it: a window with a caption
// is decorated by the desktop's window manager under Wine and on other hosts, and what we
// paint in its non-client area would never be seen. Without them the whole window rectangle is
// ours, here and on Windows alike. The client area keeps its size; the style comes back when
// the frame is released.

#include <windows.h>

#include <functional>
#include <string>

#include "bridge/DibSection.h"
#include "controls/forms/core/FrameGeometry.h"
#include "platform/Messages.h"
#include "render/CacheInfo.h"

namespace lw::controls {

class SkinnedFrame {
public:
    using PassOn = std::function<void(platform::TMessage&)>;

    // `section` is "FORM" for the application's forms and "DIALOG" for dialogs.
    SkinnedFrame(HWND window, std::string section);
    ~SkinnedFrame();
    SkinnedFrame(const SkinnedFrame&) = delete;
    SkinnedFrame& operator=(const SkinnedFrame&) = delete;

    // Puts the frame on the window, or gives the window its own frame back. Release does not
    // touch a window that is being destroyed.
    void Take();
    void Release();
    // Lets go without touching the window: it is being destroyed, or already gone (its handle
    // may belong to another window by now).
    void Forget() { taken_ = false; }
    bool Taken() const { return taken_; }

    // Handles the frame's messages; answers true when the message is fully handled (Result
    // set), false when the caller should pass it on as usual.
    bool Handle(platform::TMessage& message, const PassOn& passOn);

    // After a skin change: sizes re-read, caches dropped, frame and client repainted.
    void Refresh();

    // The client background as painted (cached until the size or the skin changes).
    const render::Bitmap* ClientBackground();
    // The same as a GDI bitmap, and a number that changes whenever it is painted anew.
    HBITMAP ClientBackgroundHandle();
    int ClientGeneration() const { return clientGeneration_; }
    TColor BackgroundColor() const;
    // Answers a child's SMC_GETBG from the client background, or its colour when it is flat.
    void AnswerBackgroundRequest(render::TsBgRequest& request);

    const FrameMetrics& Metrics() const { return metrics_; }
    FrameLayout Layout() const;
    bool Active() const { return active_; }
    // -1 no button, 0 normal, 1 hot, 2 pressed.
    int CloseState() const;

private:
    void ReadMetrics();
    void PaintFrame();
    void PaintFrameInto(bridge::TsDibSection& frame, const FrameLayout& layout);
    void PaintCaption(HDC dc, const FrameLayout& layout);
    void PaintClient(HDC dc);
    void SetCloseHot(bool hot);
    bool OverClose(POINT screen) const;

    HWND window_;
    std::string section_;
    bool sizable_;
    bool taken_ = false;
    LONG savedStyle_ = 0;
    LONG savedExStyle_ = 0;
    FrameMetrics metrics_;
    bool active_ = false;
    bool framePending_ = false;  // shown, its frame not yet painted
    bool clientFlat_ = false;    // one colour: no gradient, picture, transparency or size grip
    bool closeHot_ = false;
    bool closePressed_ = false;
    bool trackingLeave_ = false;
    bridge::TsDibSection client_{0, 0, render::PixelFormat::pf24bit};
    bool clientStale_ = true;
    int clientGeneration_ = 0;
};

}  // namespace lw::controls
