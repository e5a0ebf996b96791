#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "controls/scrollbars/core/ScrollTracker.h"

namespace lw::controls::scroll {
namespace {

// Window timers on a clock of our own: advancing it fires every due timer in time order,
// as the platform would post them.
class FakePorts final : public TrackerPorts {
public:
    struct Sent {
        unsigned time;
        WindowId window;
        int orientation, code, pos;
        friend bool operator==(const Sent&, const Sent&) = default;
    };
    struct Running {
        unsigned period, due;
    };

    ScrollTracker* Tracker = nullptr;
    unsigned Now = 0;
    std::map<std::pair<WindowId, unsigned>, Running> Timers;
    WindowId Captured = 0;
    TPoint Cursor;
    std::map<std::pair<WindowId, int>, BarView> Bars;
    std::vector<Sent> Scrolls;
    std::map<WindowId, bool> Tracking;
    int Paints = 0;
    std::vector<int> DragStarts;

    void SetTimer(WindowId w, unsigned id, unsigned ms) override { Timers[{w, id}] = {ms, Now + ms}; }
    void KillTimer(WindowId w, unsigned id) override { Timers.erase({w, id}); }
    void SetCapture(WindowId w) override {
        if (Captured != 0 && Captured != w) Tracker->CaptureChanged(Captured);
        Captured = w;
    }
    void ReleaseCapture() override {
        const WindowId had = Captured;
        Captured = 0;
        if (had != 0) Tracker->CaptureChanged(had);  // the platform tells the window at once
    }
    TPoint CursorPos() const override { return Cursor; }
    BarView Bar(WindowId w, int o) override { return Bars.at({w, o}); }
    void SendScroll(WindowId w, int o, int code, int pos) override { Scrolls.push_back({Now, w, o, code, pos}); }
    void PaintBars(WindowId) override { ++Paints; }
    void PaintDrag(WindowId, int, int start, int) override { DragStarts.push_back(start); }
    void SetThumbTracking(WindowId w, bool t) override { Tracking[w] = t; }

    void Advance(unsigned ms) {
        const unsigned end = Now + ms;
        for (;;) {
            auto next = Timers.end();
            for (auto it = Timers.begin(); it != Timers.end(); ++it)
                if (it->second.due <= end && (next == Timers.end() || it->second.due < next->second.due)) next = it;
            if (next == Timers.end()) break;
            Now = next->second.due;
            next->second.due += next->second.period;
            const auto [w, id] = next->first;
            Tracker->Timer(w, id);
        }
        Now = end;
    }
};

constexpr WindowId kMemo = 0x100;
constexpr WindowId kList = 0x200;

// A vertical bar of 100 px at screen (400..417, 300..400), slider at 45 of 0..99 page 10
// (on screen 345..355), and a horizontal one below it; both with 17 px arrows.
struct TrackerTest : ::testing::Test {
    FakePorts Ports;
    ScrollTracker Tracker{Ports};
    TrackerTest() {
        Ports.Tracker = &Tracker;
        for (WindowId w : {kMemo, kList}) {
            Ports.Bars[{w, 1}] = BarView{{400, 300, 417, 400}, {0, 99, 10, 45}, 17, 10, true};
            Ports.Bars[{w, 0}] = BarView{{300, 400, 400, 417}, {0, 99, 10, 0}, 17, 10, true};
        }
    }
    std::vector<FakePorts::Sent> SentSince(std::size_t from) const {
        return {Ports.Scrolls.begin() + static_cast<std::ptrdiff_t>(from), Ports.Scrolls.end()};
    }
};

using S = FakePorts::Sent;

TEST_F(TrackerTest, ArrowPressRepeatsAfterTheFirstDelayAndPausesOffThePart) {
    const TPoint downArrow{405, 390};
    Ports.Cursor = downArrow;
    ASSERT_TRUE(Tracker.Press(kMemo, 1, downArrow));
    EXPECT_EQ(Ports.Captured, kMemo);
    EXPECT_EQ(Tracker.ShownPressed(kMemo, 1), sbSecondArrow);
    EXPECT_EQ(Tracker.ShownPressed(kMemo, 0), sbNone);
    Ports.Advance(354);
    EXPECT_EQ(Ports.Scrolls, (std::vector<S>{{0, kMemo, 1, sbSecondArrow, 0}})) << "one at once, none before 355 ms";
    Ports.Advance(1 + 55);
    EXPECT_EQ(SentSince(1), (std::vector<S>{{355, kMemo, 1, 1, 0}, {410, kMemo, 1, 1, 0}}));

    // Off the arrow: shown released, nothing sent; back on: repeats resume.
    Ports.Cursor = {405, 320};
    EXPECT_TRUE(Tracker.MouseMove(kMemo, Ports.Cursor));
    EXPECT_EQ(Tracker.ShownPressed(kMemo, 1), sbNone);
    const std::size_t before = Ports.Scrolls.size();
    Ports.Advance(200);
    EXPECT_EQ(Ports.Scrolls.size(), before);
    Ports.Cursor = downArrow;
    EXPECT_TRUE(Tracker.MouseMove(kMemo, Ports.Cursor));
    Ports.Advance(55);
    EXPECT_EQ(Ports.Scrolls.size(), before + 1);

    EXPECT_TRUE(Tracker.Release(kMemo));
    EXPECT_EQ(Ports.Scrolls.back(), (S{Ports.Now, kMemo, 1, sbEndScroll, 0}));
    EXPECT_EQ(Ports.Captured, 0u);
    EXPECT_TRUE(Ports.Timers.empty());
    EXPECT_EQ(Tracker.ShownPressed(kMemo, 1), sbNone);
    EXPECT_FALSE(Tracker.Release(kMemo)) << "a second button-up is only passed on";
}

TEST_F(TrackerTest, PressesOnEachPartSendTheirCode) {
    struct Case {
        TPoint at;
        int orientation, code;
    };
    for (const Case& k :
         {Case{{405, 305}, 1, sbFirstArrow}, Case{{405, 330}, 1, sbPageBefore}, Case{{405, 370}, 1, sbPageAfter},
          Case{{310, 405}, 0, sbFirstArrow}, Case{{395, 405}, 0, sbSecondArrow}, Case{{350, 405}, 0, sbPageAfter}}) {
        const std::size_t from = Ports.Scrolls.size();
        ASSERT_TRUE(Tracker.Press(kMemo, k.orientation, k.at));
        Tracker.Release(kMemo);
        EXPECT_EQ(SentSince(from),
                  (std::vector<S>{{0, kMemo, k.orientation, k.code, 0}, {0, kMemo, k.orientation, sbEndScroll, 0}}))
            << k.at.X << "," << k.at.Y;
    }
}

TEST_F(TrackerTest, DisabledBarsAndDeadSpotsStartNothing) {
    Ports.Bars[{kMemo, 1}].Enabled = false;
    EXPECT_TRUE(Tracker.Press(kMemo, 1, {405, 390})) << "swallowed, never the platform's own tracking";
    EXPECT_FALSE(Tracker.Press(kMemo, 0, {299, 405})) << "outside the bar: passed on";
    EXPECT_TRUE(Ports.Scrolls.empty());
    EXPECT_EQ(Ports.Captured, 0u);
    EXPECT_TRUE(Ports.Timers.empty());
}

TEST_F(TrackerTest, CaptureLossEndsThePressForGood) {
    Ports.Cursor = {405, 390};
    Tracker.Press(kMemo, 1, Ports.Cursor);
    Ports.Advance(400);
    Ports.SetCapture(kList);  // a pop-up or task switch takes the mouse
    const std::size_t after = Ports.Scrolls.size();
    EXPECT_EQ(Ports.Scrolls.back().code, sbEndScroll);
    Ports.Advance(2000);
    EXPECT_EQ(Ports.Scrolls.size(), after) << "no endless repeat";
    EXPECT_TRUE(Ports.Timers.empty());
    EXPECT_FALSE(Tracker.MouseMove(kMemo, {405, 390}));
}

TEST_F(TrackerTest, DestroyedWindowLeavesNothingBehind) {
    Tracker.NcMouseMove(kMemo, 1);
    Ports.Cursor = {405, 390};
    Tracker.Press(kMemo, 1, Ports.Cursor);
    Ports.Advance(100);
    const std::size_t sent = Ports.Scrolls.size();
    Tracker.WindowDestroyed(kMemo);
    EXPECT_EQ(Ports.Scrolls.size(), sent) << "nothing sent to a dying window";
    EXPECT_TRUE(Ports.Timers.empty());
    EXPECT_EQ(Ports.Captured, 0u);
    EXPECT_TRUE(Tracker.Idle());
}

TEST_F(TrackerTest, SliderDragTracksChangedPositionsAndEndsWithTheLastOne) {
    // Grabbed 3 px below the slider's top (345).
    ASSERT_TRUE(Tracker.Press(kMemo, 1, {405, 348}));
    EXPECT_TRUE(Ports.Tracking[kMemo]);
    EXPECT_TRUE(Ports.Scrolls.empty()) << "grabbing sends nothing";
    struct Step {
        int y, thumbStart;
    };
    for (const Step& s : {Step{349, 346}, Step{349, 346}, Step{600, 373}, Step{0, 317}}) {
        EXPECT_TRUE(Tracker.MouseMove(kMemo, {405, s.y}));
        EXPECT_EQ(Ports.DragStarts.back(), s.thumbStart) << s.y;
    }
    // 346 → offset 29 of 56 → MulDiv(29, 90, 56) = 47; the repeated move sends nothing; the
    // bottom end is the platform's largest position, 90; the top end 0.
    EXPECT_EQ(Ports.Scrolls,
              (std::vector<S>{
                  {0, kMemo, 1, sbThumbTrack, 47}, {0, kMemo, 1, sbThumbTrack, 90}, {0, kMemo, 1, sbThumbTrack, 0}}));
    Tracker.MouseMove(kMemo, {405, 600});
    EXPECT_TRUE(Tracker.Release(kMemo));
    EXPECT_FALSE(Ports.Tracking[kMemo]);
    EXPECT_EQ(SentSince(4), (std::vector<S>{{0, kMemo, 1, sbThumbPosition, 90}, {0, kMemo, 1, sbEndScroll, 90}}));
    EXPECT_FALSE(Tracker.Dragging(kMemo));
}

TEST_F(TrackerTest, HoverIsKeyedByWindowAndBarAndEndsWhenThePointerLeaves) {
    Ports.Cursor = {405, 390};
    Tracker.NcMouseMove(kMemo, 1);
    EXPECT_EQ(Ports.Timers.count({kMemo, kHoverTimer}), 1u);
    Ports.Advance(20);
    EXPECT_EQ(Tracker.HoverPart(kMemo, 1), sbSecondArrow);
    EXPECT_EQ(Tracker.HoverPart(kMemo, 0), sbNone);

    // The same bar of another window is a new hover: the first window's timer stops.
    Ports.Cursor = {405, 305};
    Tracker.NcMouseMove(kList, 1);
    EXPECT_EQ(Ports.Timers.count({kMemo, kHoverTimer}), 0u);
    Ports.Advance(20);
    EXPECT_EQ(Tracker.HoverPart(kList, 1), sbFirstArrow);
    EXPECT_EQ(Tracker.HoverPart(kMemo, 1), sbNone);

    const int paints = Ports.Paints;
    Ports.Advance(100);
    EXPECT_EQ(Ports.Paints, paints) << "an unchanged part is not repainted";
    Ports.Cursor = {10, 10};
    Ports.Advance(20);
    EXPECT_TRUE(Ports.Timers.empty());
    EXPECT_EQ(Tracker.HoverPart(kList, 1), sbNone);
    EXPECT_EQ(Ports.Paints, paints + 1) << "the bar loses its hot look";
}

TEST_F(TrackerTest, ForeignTimersArePassedOn) {
    EXPECT_FALSE(Tracker.Timer(kMemo, 1));
    EXPECT_FALSE(Tracker.Timer(kMemo, kRepeatTimer)) << "no press runs";
    Tracker.NcMouseMove(kMemo, 1);
    EXPECT_FALSE(Tracker.Timer(kList, kHoverTimer)) << "another window's timer with our id";
}

}  // namespace
}  // namespace lw::controls::scroll
