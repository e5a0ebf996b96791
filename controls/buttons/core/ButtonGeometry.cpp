#include "controls/buttons/core/ButtonGeometry.h"

namespace lw::controls {

namespace {

bool Horizontal(TButtonLayout l) { return l == TButtonLayout::blGlyphLeft || l == TButtonLayout::blGlyphRight; }

// Rounds half up for sizes, toward zero below zero.
int Half(int v) { return v >= 0 ? (v + 1) / 2 : v / 2; }

}  // namespace

int CaptionLayoutWidth(const ButtonGeometry& g) {
    if (!g.HasCaption) return 0;
    int width = g.Width - 2 * g.Margin;
    if (Horizontal(g.Layout) && g.Glyph.X > 0) width -= g.Glyph.X + g.Spacing;
    return width;
}

TRect GlyphRect(const ButtonGeometry& g, bool pressed) {
    const int gw = g.Glyph.X, gh = g.Glyph.Y, tw = g.Text.X, th = g.Text.Y;
    const bool hasText = g.HasCaption && gw > 0;
    const int sp = hasText ? g.Spacing : 0;
    const int mo = g.Margin < 0 ? 0 : g.Margin + 3;
    const int fx = (g.Width - gw - sp - tw) / 2 - mo;
    const int fy = (g.Height - gh - sp - th) / 2 - mo;
    const int middleY = (g.Height - gh) / 2;
    const int middleX = (g.Width - gw) / 2 + 1;
    TPoint at;
    switch (g.Layout) {
    case TButtonLayout::blGlyphLeft:
        at = {g.Alignment == TButtonAlignment::taLeftJustify    ? mo
              : g.Alignment == TButtonAlignment::taRightJustify ? mo + 2 * fx
                                                                : mo + fx,
              middleY};
        break;
    case TButtonLayout::blGlyphRight:
        at = {g.Alignment == TButtonAlignment::taLeftJustify    ? g.Width - mo - 2 * fx - sp - gw
              : g.Alignment == TButtonAlignment::taRightJustify ? g.Width - gw - mo
                                                                : (tw + g.Width + sp - gw) / 2,
              middleY};
        break;
    case TButtonLayout::blGlyphTop:
        at = {middleX, mo + fy};
        break;
    case TButtonLayout::blGlyphBottom:
        at = {middleX, g.Height - mo - fy - gh};
        break;
    }
    if (pressed) at = {at.X + 1, at.Y + 1};
    if (g.Reflected) at.Y -= gw / 6;
    return RectOfSize(at.X, at.Y, gw, gh);
}

TRect CaptionRect(const ButtonGeometry& g) {
    TButtonLayout layout = g.Layout;
    if (g.RightToLeft && layout == TButtonLayout::blGlyphLeft)
        layout = TButtonLayout::blGlyphRight;
    else if (g.RightToLeft && layout == TButtonLayout::blGlyphRight)
        layout = TButtonLayout::blGlyphLeft;
    const int W = g.Width, H = g.Height, gw = g.Glyph.X, gh = g.Glyph.Y, tw = g.Text.X, th = g.Text.Y;
    const bool horizontal = Horizontal(layout);
    int s = (tw == 0 || gw == 0) ? 0 : g.Spacing;
    int m = g.Margin;
    if (m == -1) {
        if (s < 0) {
            m = s = horizontal ? (W - gw - tw) / 3 : (H - gh - th) / 3;
        } else {
            m = g.Alignment == TButtonAlignment::taCenter ? Half(horizontal ? W - gw - tw - s : H - gh - th - s) : 2;
        }
    } else if (s < 0) {
        s = horizontal ? ((W - m - gw) - tw) / 2 : ((H - m - gh) - th) / 2;
    }
    TPoint at;
    if (horizontal) {
        at.Y = Half(H - th);
        const bool left = layout == TButtonLayout::blGlyphLeft;
        switch (g.Alignment) {
        case TButtonAlignment::taLeftJustify:
            at.X = left ? m + gw + s : m;
            break;
        case TButtonAlignment::taRightJustify:
            at.X = left ? W - m - tw : W - m - gw - s - tw;
            break;
        case TButtonAlignment::taCenter:
            at.X = left ? (W - tw - s - gw) / 2 + s + gw : (W - tw - s - gw) / 2;
            break;
        }
    } else {
        at.X = Half(W - tw);
        at.Y = layout == TButtonLayout::blGlyphTop ? (H - gh - s - th) / 2 + gh + s
                                                   : H - gh - (H - gh - s - th) / 2 - s - th;
    }
    return RectOfSize(at.X, at.Y, tw, th);
}

TButtonState CurrentState(const ButtonStateInputs& in) {
    if (in.Down || (in.Pushed && (in.MouseOver || !in.LeftHeldOnButton))) return bsPressed;
    if (in.DefaultLook || in.Active || in.DesigningDefault) return bsHot;
    return bsNormal;
}

int GlyphBitmapFrame(int numGlyphs, bool enabled, TButtonState state, bool down) {
    if (!enabled) return numGlyphs > 1 ? 1 : 0;
    if (down && numGlyphs > 3) return 3;
    if ((down || state == bsPressed) && numGlyphs > 2) return 2;
    return 0;
}

}  // namespace lw::controls
