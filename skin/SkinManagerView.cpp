#include "skin/SkinManagerView.h"

namespace lw::skin {
namespace {
SkinManagerView* defaultManager = nullptr;
}

void SetDefaultManager(SkinManagerView* manager) { defaultManager = manager; }
SkinManagerView* DefaultManager() { return defaultManager; }

}  // namespace lw::skin
