#pragma once
// The skinned frame of a form: where its title bar, borders, close button and size grip lie in
// the window, and what each point of the window is to the platform (its hit-test code).

#include <array>

#include "render/Types.h"

namespace lw::controls {

// The platform's hit-test codes, by value.
enum HitCode : int {
    kHitNowhere = 0,
    kHitClient = 1,
    kHitCaption = 2,
    kHitLeft = 10,
    kHitRight = 11,
    kHitTop = 12,
    kHitTopLeft = 13,
    kHitTopRight = 14,
    kHitBottom = 15,
    kHitBottomLeft = 16,
    kHitBottomRight = 17,
    kHitBorder = 18,
    kHitClose = 20,
};

struct FrameMetrics {
    int Border = 4;        // left, right and bottom
    int TitleHeight = 24;  // top band, border included
    int CloseWidth = 0;    // one frame of the close button's image
    int CloseHeight = 0;
    int ButtonMargin = 4;  // between the close button and the right border
    bool Sizable = false;  // edges size the window and the grip shows
    int GripWidth = 0;
    int GripHeight = 0;
};

// The skin's "GLOBALINFO" sizes count the extended border's shadow (FormOffset) in; what the
// frame itself shows is what lies inside it. Falls back to `minimum` where a skin gives less.
FrameMetrics MetricsFromSkin(int formBorderWidth, int titleHeight, int formOffset, int minimumBorder, int minimumTitle);

struct FrameLayout {
    TRect Window;  // (0, 0, width, height)
    TRect Title;   // the band at the top, inside the side borders
    TRect Client;
    TRect Close;  // empty without a close button image
    TRect Grip;   // empty unless sizable
};

FrameLayout LayOutFrame(int width, int height, const FrameMetrics& metrics);

// The window without its client area, as four bands: above the client, below it, left and right
// of it. Only these show of the frame, so only they need filling and copying to the window.
std::array<TRect, 4> FrameBands(const FrameLayout& layout);

// `at` in window coordinates.
int FrameHitTest(const FrameLayout& layout, const FrameMetrics& metrics, TPoint at);

}  // namespace lw::controls
