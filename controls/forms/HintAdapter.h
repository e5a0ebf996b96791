#pragma once
// The adapter of the application's hint window: the skin's "HINT" section with the hint's text
// over it. Showing, timing and placing the hint stay the platform's.

#include "controls/forms/ChildAdapters.h"

namespace lw::controls {

class TgwHintWnd final : public TgwChildAdapter {
public:
    // `created`: the tooltip existed before the adapter; otherwise it is being created now and
    // the frame is taken once its own creation is done.
    TgwHintWnd(HWND window, bool created);

protected:
    bool HandleMessage(platform::TMessage& message) override;
    void PaintClient(HDC dc) override;

private:
    void TakeFrame();
    // Room for the section's borders around the text, so that the platform sizes the window for
    // both.
    void FitMargins();

    bridge::TsDibSection hintCanvas_{0, 0, render::PixelFormat::pf24bit};
};

}  // namespace lw::controls
