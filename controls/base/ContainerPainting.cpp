#include "controls/base/ContainerPainting.h"

#include <vector>

#include "bridge/DibSection.h"
#include "bridge/SkinCommands.h"
#include "controls/base/core/CommonData.h"
#include "platform/Handles.h"
#include "render/Blit.h"

namespace lw::controls {

namespace {

bool IsWindowed(const platform::TControl* c) { return dynamic_cast<const platform::TWinControl*>(c) != nullptr; }

}  // namespace

void PaintGraphicChildren(HDC dc, platform::TWinControl& container, POINT origin) {
    if (!container.Visible() || container.Controls().empty()) return;
    RECT clip;
    if (GetClipBox(dc, &clip) == NULLREGION) {
        bridge::SendSkinCommand(&container, skin::SMC_SETHALFVISIBLE, 0);
        return;
    }
    std::vector<platform::TControl*> children;
    for (platform::TControl* child : container.Controls()) {
        const platform::TBounds& b = child->Bounds();
        if (!child->Visible() || IsWindowed(child) || b.Width < 1 || b.Height < 1 ||
            (child->ComponentState() & platform::csDestroying))
            continue;
        const RECT r{b.Left + origin.x, b.Top + origin.y, b.Left + origin.x + b.Width, b.Top + origin.y + b.Height};
        if (!RectVisible(dc, &r)) continue;
        children.push_back(child);
    }
    // Most containers hold windowed children only: they ask their parent for nothing.
    if (children.empty()) return;
    render::TsBgRequest bg;
    bridge::RequestBackground(bg, container, false);

    const platform::TBounds& size = container.Bounds();
    bridge::TsDibSection offscreen(size.Width, size.Height, render::PixelFormat::pf24bit);
    HDC memory = offscreen.Dc();
    for (platform::TControl* child : children) {
        const platform::TBounds& b = child->Bounds();
        const TRect r = RectOfSize(b.Left, b.Top, b.Width, b.Height);
        if (bg.Kind == 2 && bg.Bitmap != nullptr) {
            render::CopyPixels(offscreen.Bitmap(), {r.Left, r.Top}, *bg.Bitmap,
                               RectOfSize(b.Left + bg.OffsetX, b.Top + bg.OffsetY, b.Width, b.Height));
        } else {
            render::FillRectSolid(offscreen.Surface(), r, ResolveColor(bg.Color));
        }
    }
    GdiFlush();
    for (platform::TControl* child : children) {
        const platform::TBounds& b = child->Bounds();
        const int saved = SaveDC(memory);
        IntersectClipRect(memory, b.Left, b.Top, b.Left + b.Width, b.Top + b.Height);
        OffsetViewportOrgEx(memory, b.Left, b.Top, nullptr);
        try {
            child->Paint(memory);
        } catch (...) {  // painting never throws: what a child cannot paint is skipped
        }
        RestoreDC(memory, saved);
    }
    GdiFlush();
    for (platform::TControl* child : children) {
        const platform::TBounds& b = child->Bounds();
        const std::uint8_t* p = offscreen.Bitmap().Pixel(b.Left, b.Top);
        if (MakeColor(p[2], p[1], p[0]) == TransparentKey) continue;  // the child asked not to be shown
        BitBlt(dc, b.Left + origin.x, b.Top + origin.y, b.Width, b.Height, memory, b.Left, b.Top, SRCCOPY);
    }
}

void RefreshChildren(platform::TWinControl& container) {
    const auto& children = container.Controls();
    for (std::size_t i = 0; i < children.size(); ++i) {
        auto* child = dynamic_cast<platform::TWinControl*>(children[i]);
        if (child == nullptr || (child->ComponentState() & platform::csDestroying)) continue;
        if (child->Handle() != nullptr && IsWindowVisible(child->Handle()))
            bridge::SendSkinCommand(child, skin::SMC_ENDUPDATE, 0);
    }
}

}  // namespace lw::controls
