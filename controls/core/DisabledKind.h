#pragma once
// How a skinned control looks while disabled: blended into its background, greyed, or both.

namespace lw::controls {

enum TsDisabledFlag : unsigned { dkBlended = 1, dkGrayed = 2 };
using TsDisabledKind = unsigned;

}  // namespace lw::controls
