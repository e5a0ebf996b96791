#pragma once
// Glow windows as layered tool windows: premultiplied per-pixel alpha through
// UpdateLayeredWindow, transparent to the mouse, never activated.

#include <windows.h>

#include "render/Glow.h"

namespace lw::bridge {

class LayeredGlowHost final : public render::GlowHost {
public:
    bool SupportsPerPixelAlpha() const override { return true; }
    render::GlowWindow CreateGlowWindow() override;
    bool OwnerStaysOnTop(render::OwnerWindow owner) const override;
    void SetStayOnTop(render::GlowWindow w) override;
    void Place(render::GlowWindow w, const TRect& screen) override;
    void SetContent(render::GlowWindow w, const render::Bitmap& image) override;
    void ShowWithoutActivation(render::GlowWindow w) override;
    void DestroyGlowWindow(render::GlowWindow w) override;
};

// The process's glow list over the layered host.
render::TgwGlowEffects& ProcessGlows();

}  // namespace lw::bridge
