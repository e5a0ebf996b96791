#pragma once
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "app/core/EntitySeams.h"

namespace lw::app {

// The line under "Не удалось сохранить изменения!" that says why: the tool's own first line
// on its standard error, or what became of the tool when it said nothing.
std::string ToolFailureReason(const ToolRun& run, std::chrono::milliseconds timeout);

// The line of the entity text that a reason of the tool names: it writes
// "ripent: <folder>\<name>.ent:<line>: <what>" for text it refuses.
std::optional<int> EntityLineIn(std::string_view reason);

// Why a text holding `character` cannot be saved.
std::string UnstorableReason(const UnstorableCharacter& character);

}  // namespace lw::app
