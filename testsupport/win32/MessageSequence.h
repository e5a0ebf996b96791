#pragma once
// Records the messages a window receives and compares them with an expected table, so a test
// can say what a handler in front of the window sends, passes on and swallows.
//
// Two places can be watched: the front of the window (everything it receives, sent or
// dispatched, before any of its handlers) and the window's own handling beneath the hooks placed
// after the watch began (what an adapter hooked later passes on). Both land in one log in the
// order they happen, so a message an adapter sends while it handles another sits between that
// message's arrival and its passing on.

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/MessageHook.h"

namespace lw::testsupport {

// What an expected entry asks of the recorded message at its place.
enum SequenceFlags : unsigned {
    kWParam = 1,      // wParam must be the entry's
    kLParam = 2,      // lParam must be the entry's
    kPassedOn = 4,    // seen beneath the hooks, at the window's own handling; otherwise at its front
    kOptional = 8,    // may be missing
    kAnyNumber = 16,  // zero or more in a row
};

struct ExpectedMessage {
    UINT Msg;
    unsigned Flags = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
};

struct RecordedMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    bool PassedOn;
};

class MessageSequence {
public:
    MessageSequence();
    ~MessageSequence();
    MessageSequence(const MessageSequence&) = delete;
    MessageSequence& operator=(const MessageSequence&) = delete;

    // Everything `window` receives from now on, ahead of all its handlers.
    void WatchFront(HWND window);
    // What reaches the window's own handling past every hook placed on it after this call.
    void WatchBeneath(HWND window);

    // From now on only these messages are logged; empty: every message.
    void Only(std::vector<UINT> messages) { only_ = std::move(messages); }
    void Clear() { log_.clear(); }
    const std::vector<RecordedMessage>& Recorded() const { return log_; }

    // Walks the table against the log; on a mismatch the result names the first entry that
    // differed and lists both sequences whole.
    ::testing::AssertionResult Matches(const std::vector<ExpectedMessage>& expected) const;

    // The message's name as the tables write it ("WM_NCPAINT"), or its number.
    static std::string NameOf(UINT msg);

private:
    static LRESULT CALLBACK FrontProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void Record(UINT msg, WPARAM wParam, LPARAM lParam, bool passedOn);
    struct Beneath;

    std::vector<UINT> only_;
    std::vector<RecordedMessage> log_;
    std::vector<HWND> fronts_;
    std::vector<std::unique_ptr<Beneath>> beneath_;
};

}  // namespace lw::testsupport
