#include "platform/Timer.h"

#include <unordered_map>

#include "platform/ErrorReport.h"

namespace lw::platform {
namespace {
// Thread timers carry no object pointer; their identifiers lead back to the objects.
std::unordered_map<UINT_PTR, TTimer*>& RunningTimers() {
    static std::unordered_map<UINT_PTR, TTimer*> timers;
    return timers;
}
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
    enabled_ = false;
    Restart();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Restart();
}

void TTimer::SetInterval(UINT milliseconds) {
    if (interval_ == milliseconds) return;
    interval_ = milliseconds;
    Restart();
}

void TTimer::Restart() {
    if (id_) {
        KillTimer(nullptr, id_);
        RunningTimers().erase(id_);
        id_ = 0;
    }
    if (enabled_ && interval_ > 0) {
        id_ = SetTimer(nullptr, 0, interval_, &Tick);
        if (id_) RunningTimers()[id_] = this;
    }
}

void CALLBACK TTimer::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    const auto found = RunningTimers().find(id);
    if (found == RunningTimers().end() || !found->second->OnTimer) return;
    try {
        found->second->OnTimer();
    } catch (...) {
        ReportException(std::current_exception());
    }
}

}  // namespace lw::platform
