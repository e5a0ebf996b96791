#pragma once
#include <string>
#include <string_view>

namespace lw::app {

// Every line break of the text - a lone CR, a lone LF or a CR LF pair - becomes CR LF, which
// is what the memo shows and what a save writes back.
std::string WithCrLfLineBreaks(std::string_view text);

}  // namespace lw::app
