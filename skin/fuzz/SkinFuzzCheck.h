#pragma once
// The skin fuzz entry as a check: what libFuzzer runs and what the replay of the corpus counts.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Feeds one input through the layer its first byte picks; answers what went wrong (an index a
// lookup gave that is neither -1 nor inside its table), or nothing when all held.
std::optional<std::string> CheckSkinInput(const std::uint8_t* data, std::size_t size);
