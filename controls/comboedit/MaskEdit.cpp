#include "controls/comboedit/MaskEdit.h"

#include "platform/Handles.h"

namespace lw::comboedit {

TsMaskEdit::TsMaskEdit(platform::TComponent* owner, platform::TWinControl* parent) : TsEdit(owner, parent) {}

TsMaskEdit::CacheTextLayout TsMaskEdit::CacheText(int a) const {
    platform::MemoryDc dc(CreateCompatibleDC(nullptr));
    platform::SelectObjectScope font(dc.get(), FontHandle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    const platform::TBounds& b = Bounds();
    return {{a, a, b.Width - a, a + metrics.tmHeight + 2}, DT_NOPREFIX | DT_EXTERNALLEADING, true};
}

}  // namespace lw::comboedit
