#include "controls/core/SkinManagerView.h"

namespace lw::controls {
namespace {
SkinManagerView* defaultManager = nullptr;
}

void SetDefaultManagerView(SkinManagerView* manager) { defaultManager = manager; }
SkinManagerView* DefaultManagerView() { return defaultManager; }

}  // namespace lw::controls
