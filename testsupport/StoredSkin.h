#pragma once
#include <cstddef>
#include <cstdint>

// The application's stored skin, embedded by the build (link lw_stored_skin), so tests and
// benchmarks pin pixels of the real look without reading files whose paths differ under Wine.
extern const std::uint8_t kStoredSkin[];
extern const std::size_t kStoredSkinSize;
