#include "render/Glow.h"

#include <algorithm>
#include <string>

#include "render/Blit.h"
#include "render/MaskPaint.h"

namespace lw::render {

MaskRef GlowSlices(const MaskRef& mask) {
    MaskRef m = mask;
    auto pick = [&](int& slice, int frame) {
        if (slice <= 0) slice = mask.BorderWidth > 0 ? mask.BorderWidth : frame;
    };
    pick(m.WL, mask.FrameWidth());
    pick(m.WR, mask.FrameWidth());
    pick(m.WT, mask.FrameHeight());
    pick(m.WB, mask.FrameHeight());
    return m;
}

bool PlaceGlow(const TRect& q, const TRect& v, const MaskRef& s, int m, GlowPlacement& out) {
    const int w = q.Width() + s.WL + s.WR - 2 * m;
    const int h = q.Height() + s.WT + s.WB - 2 * m;
    if (w <= 0 || h <= 0) return false;
    // Where the parent hides part of the control, the glow stops where the control is cut.
    int cl = v.Left != 0 ? s.WL + v.Left - m : 0;
    int ct = v.Top != 0 ? s.WT + v.Top - m : 0;
    int cr = v.Right == q.Width() ? 0 : cl != 0 ? w - cl - v.Width() : q.Width() + s.WR - v.Width() - m;
    int cb = v.Bottom == q.Height() ? 0 : ct != 0 ? h - ct - v.Height() : q.Height() + s.WB - v.Height() - m;
    cl = std::clamp(cl, 0, w);
    ct = std::clamp(ct, 0, h);
    cr = std::clamp(cr, 0, w - cl);
    cb = std::clamp(cb, 0, h - ct);
    const int ww = w - cl - cr, wh = h - ct - cb;
    if (ww <= 0 || wh <= 0) return false;
    out.Window = RectOfSize(q.Left + m - s.WL + cl, q.Top + m - s.WT + ct, ww, wh);
    out.Cut = {cl, ct};
    out.FullWidth = w;
    out.FullHeight = h;
    return true;
}

TgwGlowEffect::TgwGlowEffect(GlowHost& host, const SkinSource& manager, int maskIndex, int margin)
    : SkinManager(&manager), MaskIndex(maskIndex), Margin(margin), host_(&host) {}

TgwGlowEffect::~TgwGlowEffect() {
    if (Wnd != 0) host_->DestroyGlowWindow(Wnd);
}

Bitmap TgwGlowEffect::PaintAlpha(int width, int height) const {
    Bitmap alpha = CreateBmp32(width, height);  // zero: black, fully transparent
    if (const MaskRef* mask = SkinManager->Mask(MaskIndex))
        PaintBorderMask(alpha, alpha.Bounds(), false, false, 0, GlowSlices(*mask), EmptyCacheInfo);
    return alpha;
}

bool TgwGlowEffect::Show(const TRect& control, const TRect& visible, OwnerWindow owner) {
    if (Wnd != 0) return true;
    const MaskRef* mask = SkinManager->Mask(MaskIndex);
    GlowPlacement p;
    if (mask == nullptr || !PlaceGlow(control, visible, GlowSlices(*mask), Margin, p)) return false;
    Bitmap alpha = PaintAlpha(p.FullWidth, p.FullHeight);
    if (p.Cut.X != 0 || p.Cut.Y != 0 || p.Window.Width() != p.FullWidth || p.Window.Height() != p.FullHeight) {
        Bitmap part = CreateBmp32(p.Window.Width(), p.Window.Height());
        CopyPixels(part, {0, 0}, alpha, RectOfSize(p.Cut.X, p.Cut.Y, part.Width(), part.Height()));
        alpha = std::move(part);
    }
    Wnd = host_->CreateGlowWindow();
    if (Wnd == 0) return false;
    if (host_->OwnerStaysOnTop(owner)) host_->SetStayOnTop(Wnd);
    host_->Place(Wnd, p.Window);
    host_->SetContent(Wnd, alpha);
    host_->ShowWithoutActivation(Wnd);
    return true;
}

int ShowGlowWindow(TgwGlowEffects& glows, const TRect& control, const TRect& visible, std::string_view sectionName,
                   const SkinSource* m, OwnerWindow owner, int margin, std::string_view glowName) {
    if (m == nullptr || !glows.Host().SupportsPerPixelAlpha()) return -1;
    const int maskIndex = m->GetMaskIndexNoParent(sectionName, std::string(glowName) + "0");
    if (maskIndex < 0) return -1;
    auto glow = std::make_unique<TgwGlowEffect>(glows.Host(), *m, maskIndex, margin);
    if (!glow->Show(control, visible, owner)) return -1;
    glows.Items.push_back(std::move(glow));
    return static_cast<int>(glows.Items.size()) - 1;
}

void HideGlowWindow(TgwGlowEffects& glows, int handle) {
    if (handle < 0 || handle >= static_cast<int>(glows.Items.size())) return;
    glows.Items[static_cast<std::size_t>(handle)].reset();
}

void HideAllGlowWindows(TgwGlowEffects& glows) { glows.Items.clear(); }

}  // namespace lw::render
