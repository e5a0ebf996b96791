#pragma once
#include "platform/Control.h"

namespace lw::platform {

// A plain container with a raised one-pixel bevel. Its children take part in dialog keyboard
// navigation as if they stood on the form itself.
class TPanel : public TCustomControl {
public:
    TPanel(TComponent* owner, TWinControl* parent);
    static TCreateParams DefaultCreateParams();

protected:
    TPanel(TComponent* owner, TWinControl* parent, const TCreateParams& params);
    void PaintWindow(HDC dc) override;
};

// A container with an etched frame and its caption set into the top edge.
class TGroupBox : public TCustomControl {
public:
    TGroupBox(TComponent* owner, TWinControl* parent);
    static TCreateParams DefaultCreateParams();

protected:
    TGroupBox(TComponent* owner, TWinControl* parent, const TCreateParams& params);
    void PaintWindow(HDC dc) override;
};

}  // namespace lw::platform
