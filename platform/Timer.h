#pragma once
#include <windows.h>

#include <functional>

#include "platform/Component.h"

namespace lw::platform {

// A window timer of the user-interface thread. Starts disabled.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    // Enabling a running timer leaves it running as it was; its next tick does not move.
    void SetEnabled(bool enabled);
    UINT Interval() const { return interval_; }
    void SetInterval(UINT milliseconds);

    std::function<void()> OnTimer;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    void Restart();

    bool enabled_ = false;
    UINT interval_ = 1000;
    UINT_PTR id_ = 0;
};

}  // namespace lw::platform
