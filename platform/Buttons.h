#pragma once
#include "platform/Control.h"

namespace lw::platform {

class TImageList;

// A push button that draws itself: an optional glyph from an image list and the caption,
// centred together, glyph on the left.
class TButton : public TWinControl {
public:
    TButton(TComponent* owner, TWinControl* parent);
    static TCreateParams DefaultCreateParams();

    const TImageList* Images() const { return images_; }
    void SetImages(const TImageList* images);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);

protected:
    TButton(TComponent* owner, TWinControl* parent, const TCreateParams& params);
    void WndProc(TMessage& message) override;
    // Override to draw the button differently; `item` comes from the owner-draw notice.
    virtual void DrawItem(const DRAWITEMSTRUCT& item);

private:
    const TImageList* images_ = nullptr;
    int imageIndex_ = -1;
};

class TCheckBox : public TWinControl {
public:
    TCheckBox(TComponent* owner, TWinControl* parent);
    static TCreateParams DefaultCreateParams();

    bool Checked() const;
    void SetChecked(bool checked);

protected:
    TCheckBox(TComponent* owner, TWinControl* parent, const TCreateParams& params);
    void WndProc(TMessage& message) override;
};

}  // namespace lw::platform
