#pragma once
#include <string>

#include "controls/shell/ShellTreeView.h"
#include "platform/Buttons.h"
#include "platform/Form.h"
#include "platform/Label.h"

namespace lw::pathdialog {

// "Select directory": a folder tree of the shell's namespace where only an existing folder can
// be accepted, and where "Create" makes a new folder in the selected one and opens its name
// for editing at once. Sizable, with a grip in the bottom right corner.
class TPathDialogForm : public platform::TForm {
public:
    explicit TPathDialogForm(platform::TComponent* owner);

    shell::TsShellTreeView& sShellTreeView1;
    platform::TButton& sBitBtn1;
    platform::TButton& sBitBtn2;
    platform::TButton& sBitBtn3;
    // The caption above the tree.
    platform::TLabel& treeLabel;

    void LoadTexts();
    void sShellTreeView1Change();
    void sBitBtn1Click();
    void sBitBtn2Click();
    void sBitBtn3Click();

protected:
    void WndProc(platform::TMessage& message) override;
    void PaintWindow(HDC dc) override;
    // Override to make folders elsewhere (tests). Whether the folder exists afterwards
    // decides success, not what this answers.
    virtual void MakeDirectory(const std::string& path);

private:
    void FollowSize();
    RECT GripRect() const;

    SIZE designClient_{};
};

}  // namespace lw::pathdialog
