#pragma once

namespace lw::platform {

class TComponent;

// Components whose release was asked for, freed by their owners from a message posted to the
// toolkit's own window: after the handler that asked has returned.
void ScheduleRelease(TComponent* component);
// A component being freed some other way leaves the queue.
void CancelRelease(TComponent* component) noexcept;

}  // namespace lw::platform
