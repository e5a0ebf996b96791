#include "render/SkinSource.h"

namespace lw::render {
namespace {
const SkinSource* g_default = nullptr;
}

void SetDefaultSkinSource(const SkinSource* source) { g_default = source; }
const SkinSource* DefaultSkinSource() { return g_default; }

}  // namespace lw::render
