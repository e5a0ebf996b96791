#include "platform/TreeView.h"

namespace lw::platform {

TTreeView::TTreeView(TComponent* owner, TWinControl* parent) : TTreeView(owner, parent, DefaultCreateParams()) {}

TTreeView::TTreeView(TComponent* owner, TWinControl* parent, const TCreateParams& params) : TWinControl(owner, parent) {
    CreateHandle(params);
    SetColor(clWindow);
}

TCreateParams TTreeView::DefaultCreateParams() {
    return {.ClassName = WC_TREEVIEWW,
            .Style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS | WS_TABSTOP,
            .ExStyle = WS_EX_CLIENTEDGE};
}

HTREEITEM TTreeView::Add(HTREEITEM parent, HTREEITEM after, std::wstring_view text) {
    std::wstring copy(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = copy.data();
    return reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void TTreeView::Delete(HTREEITEM node) { SendMessageW(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node)); }
void TTreeView::Clear() { SendMessageW(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }

namespace {
HTREEITEM Next(HWND tree, WPARAM code, HTREEITEM node) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(node)));
}
}  // namespace

HTREEITEM TTreeView::Parent(HTREEITEM node) const { return node ? Next(Handle(), TVGN_PARENT, node) : nullptr; }
HTREEITEM TTreeView::FirstChild(HTREEITEM node) const {
    return node ? Next(Handle(), TVGN_CHILD, node) : Next(Handle(), TVGN_ROOT, nullptr);
}
HTREEITEM TTreeView::NextSibling(HTREEITEM node) const { return Next(Handle(), TVGN_NEXT, node); }
HTREEITEM TTreeView::PreviousSibling(HTREEITEM node) const { return Next(Handle(), TVGN_PREVIOUS, node); }

std::wstring TTreeView::NodeText(HTREEITEM node) const {
    wchar_t buffer[1024] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    SendMessageW(Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.pszText ? item.pszText : L"";
}

void TTreeView::SetNodeText(HTREEITEM node, std::wstring_view text) {
    std::wstring copy(text);
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    item.pszText = copy.data();
    SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeView::SetNodeImages(HTREEITEM node, int image, int selectedImage) {
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = node;
    item.iImage = image;
    item.iSelectedImage = selectedImage;
    SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeView::SetNodeOverlay(HTREEITEM node, int overlay) {
    TVITEMW item{};
    item.mask = TVIF_STATE;
    item.hItem = node;
    item.state = INDEXTOOVERLAYMASK(overlay + 1);
    item.stateMask = TVIS_OVERLAYMASK;
    SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

bool TTreeView::HasChildren(HTREEITEM node) const {
    TVITEMW item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = node;
    SendMessageW(Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.cChildren != 0;
}

void TTreeView::SetHasChildren(HTREEITEM node, bool hasChildren) {
    TVITEMW item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = node;
    item.cChildren = hasChildren ? 1 : 0;
    SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

bool TTreeView::Expanded(HTREEITEM node) const {
    return (SendMessageW(Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node), TVIS_EXPANDED) & TVIS_EXPANDED) !=
           0;
}

void TTreeView::Expand(HTREEITEM node) {
    SendMessageW(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
}

HTREEITEM TTreeView::Selected() const { return Next(Handle(), TVGN_CARET, nullptr); }
void TTreeView::Select(HTREEITEM node) {
    SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
}
HTREEITEM TTreeView::TopVisible() const { return Next(Handle(), TVGN_FIRSTVISIBLE, nullptr); }
void TTreeView::SetTopVisible(HTREEITEM node) {
    SendMessageW(Handle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(node));
}

void TTreeView::EditLabel(HTREEITEM node) {
    SetFocus();
    SendMessageW(Handle(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(node));
}

bool TTreeView::IsEditing() const { return SendMessageW(Handle(), TVM_GETEDITCONTROL, 0, 0) != 0; }
void TTreeView::EndEditing(bool keepText) { SendMessageW(Handle(), TVM_ENDEDITLABELNOW, keepText ? FALSE : TRUE, 0); }

void TTreeView::SetShowRoot(bool showRoot) {
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, showRoot ? style | TVS_LINESATROOT : style & ~LONG_PTR{TVS_LINESATROOT});
}

void TTreeView::SetIndent(int indent) { SendMessageW(Handle(), TVM_SETINDENT, static_cast<WPARAM>(indent), 0); }
void TTreeView::SetImageList(HIMAGELIST images) {
    SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

void TTreeView::BeginUpdate() {
    if (updates_++ == 0) {
        SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
        savedCursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }
}

void TTreeView::EndUpdate() {
    if (--updates_ == 0) {
        SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
        SetCursor(savedCursor_);
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void TTreeView::Change(HTREEITEM) {
    if (OnChange) OnChange();
}

bool TTreeView::CanExpand(HTREEITEM) { return true; }
bool TTreeView::Edited(HTREEITEM, const std::wstring&) { return true; }

void TTreeView::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
        switch (header->code) {
        case TVN_SELCHANGEDW:
            Change(reinterpret_cast<const NMTREEVIEWW*>(header)->itemNew.hItem);
            return;
        case TVN_ITEMEXPANDINGW: {
            const auto* notice = reinterpret_cast<const NMTREEVIEWW*>(header);
            m.Result = (notice->action & TVE_EXPAND) && !CanExpand(notice->itemNew.hItem);
            return;
        }
        case TVN_ENDLABELEDITW: {
            const auto* notice = reinterpret_cast<const NMTVDISPINFOW*>(header);
            m.Result = notice->item.pszText && Edited(notice->item.hItem, notice->item.pszText);
            return;
        }
        }
        break;
    }
    case CN_CTLCOLOREDIT:
        AnswerCtlColor(m);
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace lw::platform
