#include "platform/Containers.h"

namespace lw::platform {

TPanel::TPanel(TComponent* owner, TWinControl* parent) : TPanel(owner, parent, DefaultCreateParams()) {}

TPanel::TPanel(TComponent* owner, TWinControl* parent, const TCreateParams& params)
    : TCustomControl(owner, parent, params) {}

TCreateParams TPanel::DefaultCreateParams() { return {.Style = WS_CLIPCHILDREN, .ExStyle = WS_EX_CONTROLPARENT}; }

void TPanel::PaintWindow(HDC dc) {
    RECT area;
    GetClientRect(Handle(), &area);
    DrawEdge(dc, &area, BDR_RAISEDINNER, BF_RECT);
}

TGroupBox::TGroupBox(TComponent* owner, TWinControl* parent) : TGroupBox(owner, parent, DefaultCreateParams()) {}

TGroupBox::TGroupBox(TComponent* owner, TWinControl* parent, const TCreateParams& params)
    : TCustomControl(owner, parent, params) {}

TCreateParams TGroupBox::DefaultCreateParams() { return {.Style = WS_CLIPCHILDREN, .ExStyle = WS_EX_CONTROLPARENT}; }

void TGroupBox::PaintWindow(HDC dc) {
    SelectObjectScope font(dc, FontHandle());
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    RECT frame;
    GetClientRect(Handle(), &frame);
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

    const std::wstring caption = TextW();
    if (caption.empty()) return;
    RECT text{8, 0, 8, metrics.tmHeight};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_CALCRECT);
    SetBkColor(dc, ColorToRGB(Color()));
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color : clGrayText));
    text.right += 4;  // fallback glyphs for Cyrillic may measure narrower than drawn
    text.left -= 2;
    ExtTextOutW(dc, text.left, text.top, ETO_OPAQUE, &text, nullptr, 0, nullptr);
    text.left += 2;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_NOCLIP);
}

}  // namespace lw::platform
