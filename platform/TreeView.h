#pragma once
#include <functional>
#include <string>

#include "platform/Control.h"

#include <commctrl.h>

namespace lw::platform {

// The system tree view: nodes with texts, images and an expand button that can be offered
// before the children exist, label editing, and the notices of selection, expansion and
// edited labels turned into overridable calls.
class TTreeView : public TWinControl {
public:
    TTreeView(TComponent* owner, TWinControl* parent);
    static TCreateParams DefaultCreateParams();

    // A new child of `parent` (null: a top node) placed after `after` (TVI_LAST, TVI_FIRST).
    HTREEITEM Add(HTREEITEM parent, HTREEITEM after, std::wstring_view text);
    void Delete(HTREEITEM node);
    void Clear();

    HTREEITEM Parent(HTREEITEM node) const;
    HTREEITEM FirstChild(HTREEITEM node) const;  // of null: the first top node
    HTREEITEM NextSibling(HTREEITEM node) const;
    HTREEITEM PreviousSibling(HTREEITEM node) const;

    std::wstring NodeText(HTREEITEM node) const;
    void SetNodeText(HTREEITEM node, std::wstring_view text);
    void SetNodeImages(HTREEITEM node, int image, int selectedImage);
    void SetNodeOverlay(HTREEITEM node, int overlay);
    bool HasChildren(HTREEITEM node) const;
    void SetHasChildren(HTREEITEM node, bool hasChildren);
    bool Expanded(HTREEITEM node) const;
    void Expand(HTREEITEM node);

    HTREEITEM Selected() const;
    void Select(HTREEITEM node);
    HTREEITEM TopVisible() const;
    void SetTopVisible(HTREEITEM node);

    // Label editing: the edit window opens on the node; ending keeps or drops the typed text.
    void EditLabel(HTREEITEM node);
    bool IsEditing() const;
    void EndEditing(bool keepText);

    void SetShowRoot(bool showRoot);
    void SetIndent(int indent);
    void SetImageList(HIMAGELIST images);

    // Around bulk changes: no painting, the hourglass pointer. Calls nest.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return updates_ > 0; }

    std::function<void()> OnChange;

protected:
    TTreeView(TComponent* owner, TWinControl* parent, const TCreateParams& params);
    void WndProc(TMessage& message) override;
    // Override to react to a new selection; the base calls OnChange.
    virtual void Change(HTREEITEM node);
    // Override to load children before a node opens; false refuses the expansion.
    virtual bool CanExpand(HTREEITEM node);
    // Override to take an edited label: true keeps the text. The base keeps it.
    virtual bool Edited(HTREEITEM node, const std::wstring& text);

private:
    int updates_ = 0;
    HCURSOR savedCursor_ = nullptr;
};

}  // namespace lw::platform
