#pragma once
#include <string>

#include "controls/shell/ShellTreeView.h"  // first: it keeps the skin commands' names whole
#include "controls/buttons/BitBtn.h"
#include "platform/Form.h"
#include "platform/ImageList.h"

namespace lw::controls {

// "Select directory": a folder tree of the shell's namespace where only an existing folder can
// be accepted, and where "Create" makes a new folder in the selected one and opens its name
// for editing at once. Sizable, with a grip in the bottom right corner.
class TPathDialogForm : public platform::TForm {
public:
    explicit TPathDialogForm(platform::TComponent* owner);

    // The list the buttons take their glyphs from; the application gives its own before the
    // first picker opens. Without one the buttons show their captions alone.
    static const platform::TImageList* Glyphs;

    controls::TsShellTreeView& sShellTreeView1;
    controls::TsBitBtn& sBitBtn1;
    controls::TsBitBtn& sBitBtn2;
    controls::TsBitBtn& sBitBtn3;

    void LoadTexts();
    void sShellTreeView1Change();
    void sBitBtn1Click();
    void sBitBtn2Click();
    void sBitBtn3Click();

protected:
    void Loaded() override;
    void WndProc(platform::TMessage& message) override;
    void PaintWindow(HDC dc) override;
    // Override to make folders elsewhere (tests). Whether the folder exists afterwards
    // decides success, not what this answers.
    virtual void MakeDirectory(const std::string& path);

private:
    void FollowSize();
    // The tree's frame and bars; nothing while its own adapter is in place.
    void AttachTreeBars();
    RECT GripRect() const;

    SIZE designClient_{};
};

}  // namespace lw::controls
