#include "render/Text.h"

#include "render/Color.h"

namespace lw::render {
namespace {

constexpr TPoint OutlineShift[4] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};

TRect Shifted(const TRect& r, TPoint d) { return {r.Left + d.X, r.Top + d.Y, r.Right + d.X, r.Bottom + d.Y}; }

void DrawOutlines(Canvas& c, const SectionPaint& s, bool hot, std::string_view text, const TRect& r, unsigned format) {
    const auto& colors = hot ? s.HotFontColor : s.FontColor;
    for (int i = 1; i <= 4; ++i) {
        if (colors[i] == NoOutline) continue;
        c.Engine.Draw(c.Target, c.Font, ResolveColor(colors[i]), text, Shifted(r, OutlineShift[i - 1]), format);
    }
}

// The section whose colours a caption uses: its own, or a parent's that gives its font colours
// to transparent children.
const SectionPaint* CaptionSection(const SkinSource& m, const ControlText& c, bool hot) {
    const SectionPaint* own = m.Section(c.Skin.SkinIndex);
    if (own == nullptr || !c.FollowsParent || c.ParentSections.empty()) return own;
    if ((hot ? own->HotTransparency : own->Transparency) < 1) return own;
    for (std::size_t i = 0; i < c.ParentSections.size(); ++i) {
        const SectionPaint* p = m.Section(c.ParentSections[i]);
        if (p == nullptr) return own;
        if (p->Transparency > 50 && i + 1 < c.ParentSections.size()) continue;
        return p->GiveOwnFont ? p : own;
    }
    return own;
}

}  // namespace

void WriteSkinText(Canvas& c, std::string_view text, bool enabled, const SkinSource* m, bool hot, int sectionIndex,
                   unsigned format, const TRect& r) {
    if (m == nullptr || text.empty()) return;
    const SectionPaint* s = m->Section(sectionIndex);
    if (s == nullptr) return;
    if (!enabled) {
        c.Engine.Draw(c.Target, c.Font, MixColors(s->FontColor[0], s->Color, 0.4), text, r, format);
        return;
    }
    DrawOutlines(c, *s, hot, text, r, format);
    c.Engine.Draw(c.Target, c.Font, ResolveColor(hot ? s->HotFontColor[0] : s->FontColor[0]), text, r, format);
}

void WriteControlText(Canvas& c, std::string_view text, bool enabled, bool hot, const ControlText& control,
                      unsigned format, const TRect& r) {
    const TextFont saved = c.Font;
    c.Font = control.Font;
    if (hot && control.Skin.SkinSection == "WEBBUTTON") c.Font.Underline = true;
    const Surface::State clip = c.Target.Save();
    c.Target.IntersectClip(r);

    const SkinSource* m = control.Skin.Manager;
    const SectionPaint* s = m != nullptr ? CaptionSection(*m, control, hot) : nullptr;
    if (enabled) {
        TColor color = c.Font.Color;
        if (s != nullptr && !control.CustomFont) {
            DrawOutlines(c, *s, hot, text, r, format);
            color = hot ? s->HotFontColor[0] : s->FontColor[0];
        }
        c.Engine.Draw(c.Target, c.Font, ResolveColor(color), text, r, format | TextNoClip);
    } else {
        const TColor color = s != nullptr ? MixColors(s->FontColor[0], m->GlobalColor(), 0.4) : c.Font.Color;
        c.Engine.Draw(c.Target, c.Font, ResolveColor(color), text, r, format);
    }

    c.Target.Restore(clip);
    c.Font = saved;
}

std::string FitTextWithEllipsis(Canvas& c, std::string_view text, int width) {
    if (width <= 0) return {};
    auto fits = [&](std::string_view t) { return MeasureText(c.Engine, c.Font, t).X <= width; };
    if (fits(text)) return std::string(text);
    std::string s(text);
    // Shorten by whole UTF-8 characters until the text with its "..." fits, so the result is
    // never wider than asked and never ends in half a letter.
    const auto popCharacter = [&s] {
        while (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0) == 0x80) s.pop_back();
        if (!s.empty()) s.pop_back();
    };
    while (!s.empty() && !fits(s + "...")) popCharacter();
    return s.empty() ? s : s + "...";
}

TPoint MeasureText(const TextEngine& engine, const TextFont& font, std::string_view text) {
    TPoint size;
    if (!engine.Measure(font, text, size)) return {0, 0};
    return size;
}

void DrawFocusDots(Surface& s, const TRect& r) {
    constexpr TColor black = 0, white = 0xFFFFFF;
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    for (int k = 0; k <= (R - L) / 3; ++k) {
        s.SetPixel({L + 3 * k, T}, black);
        s.SetPixel({L + 3 * k, B}, black);
        s.SetPixel({L + 3 * k - 1, T - 1}, white);
        s.SetPixel({L + 3 * k - 1, B - 1}, white);
    }
    for (int k = 0; k <= (B - T) / 3; ++k) {
        s.SetPixel({L, T + 3 * k}, black);
        s.SetPixel({R, T + 3 * k}, black);
        s.SetPixel({L - 1, T + 3 * k - 1}, white);
        s.SetPixel({R - 1, T + 3 * k - 1}, white);
    }
}

}  // namespace lw::render
