#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Buttons.h"
#include "platform/Exception.h"
#include "platform/Label.h"
#include "platform/Messages.h"
#include "platform/tests/ToolkitFixture.h"
#include "testsupport/win32/MessagePump.h"

namespace lw::platform {
namespace {

using testing::Toolkit;
using testsupport::PumpUntil;
using Log = std::vector<std::string>;

bool Owns(const TComponent& owner, const TComponent* component) {
    for (const auto& owned : owner.Components()) {
        if (owned.get() == component) return true;
    }
    return false;
}

// A queued release has been served once its message no longer waits in the thread's queue.
bool NoReleaseWaits() {
    MSG message;
    return !PeekMessageW(&message, nullptr, CM_RELEASE, CM_RELEASE, PM_NOREMOVE);
}

// A windowless control that logs its lifecycle into a shared log.
class Traced : public TLabel {
public:
    Traced(TComponent* owner, TWinControl* parent, Log& log, std::string name) : TLabel(owner, parent), log_(log) {
        Name = std::move(name);
        if (ComponentState() & csLoading) log_.push_back("built loading " + Name);
    }
    ~Traced() override { log_.push_back("freed " + Name); }

protected:
    void Loaded() override {
        log_.push_back("loaded " + Name);
        TLabel::Loaded();
    }
    void Destroying() override {
        log_.push_back("destroying " + Name);
        TLabel::Destroying();
    }

private:
    Log& log_;
};

class TracedForm : public TForm {
public:
    TracedForm(TComponent* owner, Log& log) : TForm(owner), log_(log) {
        Name = "form";
        TPanel& panel = Make<TPanel>(this);
        Make<Traced>(&panel, log, "first");
        Make<Traced>(&panel, log, "second");
    }

protected:
    void Loaded() override {
        log_.push_back("loaded form");
        TForm::Loaded();
    }

private:
    Log& log_;
};

TEST_F(Toolkit, AFormAndItsControlsAreLoadedOnceWhenBuiltAndNotifiedBeforeAnyIsFreed) {
    Log log;
    TComponent owner(nullptr);
    TracedForm& built = owner.Make<TracedForm>(log);
    EXPECT_EQ(log,
              (Log{"built loading first", "built loading second", "loaded first", "loaded second", "loaded form"}));
    EXPECT_EQ(built.ComponentState() & csLoading, 0u);

    // Made after loading: loaded at once, and only that one.
    log.clear();
    built.Make<Traced>(&built, log, "late");
    EXPECT_EQ(log, (Log{"built loading late", "loaded late"}));
    built.Show();
    EXPECT_EQ(log, (Log{"built loading late", "loaded late"}));

    // Every notice goes out before the first control is freed.
    log.clear();
    built.Free();
    EXPECT_EQ(log, (Log{"destroying late", "destroying second", "destroying first", "freed late", "freed second",
                        "freed first"}));

    // The same when an owner without an owner of its own goes out of scope.
    log.clear();
    {
        TComponent holder(nullptr);
        holder.Make<Traced>(nullptr, log, "a");
        holder.Make<Traced>(nullptr, log, "b");
        log.clear();
    }
    EXPECT_EQ(log, (Log{"destroying b", "destroying a", "freed b", "freed a"}));
}

TEST_F(Toolkit, AFormBuiltOutsideAnOwnerIsLoadedWhenFirstShown) {
    Log log;
    Traced& traced = form.Make<Traced>(&panel, log, "child");
    EXPECT_EQ(log, (Log{"built loading child"}));
    form.Show();
    EXPECT_EQ(log, (Log{"built loading child", "loaded child"}));
    EXPECT_EQ(traced.ComponentState() & csLoading, 0u);
    traced.Free();  // before the log goes
}

// A dialog opened and closed again and again gives its controls the same identifiers each time:
// they must stay within what a command notification carries.
TEST_F(Toolkit, ChildIdentifiersAreNumberedWithinTheirParentAndStartAgainInANewWindow) {
    const auto Identifiers = [] {
        TForm dialog(nullptr);
        TPanel& inner = dialog.Make<TPanel>(&dialog);
        const std::vector<int> ids{GetDlgCtrlID(dialog.Make<TButton>(&dialog).Handle()), GetDlgCtrlID(inner.Handle()),
                                   GetDlgCtrlID(inner.Make<TButton>(&inner).Handle()),
                                   GetDlgCtrlID(dialog.Make<TButton>(&dialog).Handle())};
        return ids;
    };
    const std::vector<int> first = Identifiers();
    EXPECT_EQ(first, (std::vector<int>{101, 100, 100, 102})) << "the panel was made first";
    for (int opening = 0; opening < 3; ++opening) EXPECT_EQ(Identifiers(), first);
}

TEST_F(Toolkit, AComponentReleasedFromItsOwnHandlerIsFreedAfterTheHandlerReturns) {
    form.FinishLoading();
    Log log;
    TButton& button = form.Make<TButton>(&panel);
    Traced& traced = form.Make<Traced>(&panel, log, "traced");
    log.clear();
    button.OnClick = [&] {
        button.Release();
        traced.Release();
        traced.Release();  // asked twice, freed once
        log.push_back("handler done with " + std::to_string(button.Bounds().Width));
    };
    button.SetBounds({0, 0, 80, 25});
    SendMessageW(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(log, (Log{"handler done with 80"}));
    EXPECT_TRUE(Owns(form, &button));
    EXPECT_TRUE(PumpUntil([&] { return !Owns(form, &button); }));
    EXPECT_EQ(log, (Log{"handler done with 80", "destroying traced", "freed traced"}));

    // Freed some other way before its turn: the queue forgets it.
    Traced& early = form.Make<Traced>(&panel, log, "early");
    early.Release();
    early.Free();
    EXPECT_TRUE(PumpUntil(NoReleaseWaits));
    EXPECT_EQ(log.back(), "freed early");

    TComponent unowned(nullptr);
    EXPECT_THROW(unowned.Release(), Exception);
}

}  // namespace
}  // namespace lw::platform
