#include "testsupport/win32/MessagePump.h"

#include <windows.h>

#include "platform/Application.h"

namespace lw::testsupport {
namespace {

void ServeMessages() {
    if (platform::Application) {
        platform::Application->ProcessMessages();
        return;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        ServeMessages();
    }
    return true;
}

void PumpFor(std::chrono::milliseconds duration) {
    PumpUntil([] { return false; }, duration);
}

bool PumpUntilIdle(std::chrono::milliseconds limit) {
    return PumpUntil([] { return HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0; }, limit);
}

}  // namespace lw::testsupport
