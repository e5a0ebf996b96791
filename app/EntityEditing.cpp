#include "app/EntityEditing.h"

#include "app/core/FindStep.h"
#include "platform/Text.h"

namespace lw::app {

EntityEditing::EntityEditing(const Controls& controls, platform::Prompt& prompt, platform::Launcher& launcher)
    : controls_(controls),
      prompt_(prompt),
      memo_(controls.console),
      list_(controls.maps, controls.path),
      prompts_(prompt, controls.owner),
      tool_(launcher, ToolRunner::ToolBesideExecutable()),
      editor_(memo_, list_, tool_, files_, prompts_) {}

void EntityEditing::StartFind() {
    findPos_ = 0;
    controls_.finder.Execute();
}

void EntityEditing::FindNext() {
    if (controls_.finder.SearchTextW().empty()) return StartFind();
    finderFind();
}

void EntityEditing::finderFind() {
    const FindOutcome outcome = FindStep(controls_.console.TextW(), controls_.finder.SearchTextW(), findPos_);
    if (!outcome.found) {
        prompt_.Show(controls_.owner.Handle(), platform::WideToUtf8(outcome.message), "Error", MB_OK | MB_ICONERROR);
        return;
    }
    controls_.console.Select(outcome.selStart, outcome.selLength);
    controls_.console.SetFocus();
}

}  // namespace lw::app
