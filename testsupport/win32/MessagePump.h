#pragma once

#include <chrono>
#include <functional>

namespace lw::testsupport {

// Serves this thread's messages (through the application's own loop when there is one, so
// that dialog keys and errors in handlers go where they do in the program) until `done` holds
// or `limit` passes; answers `done`.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5));
void PumpFor(std::chrono::milliseconds duration);
// Serves this thread's messages until none waits: what was queued for it (posted, sent, input from
// the display, painting) and what serving that queued in turn have all been served.
bool PumpUntilIdle(std::chrono::milliseconds limit = std::chrono::seconds(5));

}  // namespace lw::testsupport
