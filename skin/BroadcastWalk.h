#pragma once
// The walk that carries a broadcast command down a control tree. Portable: the Win32 layer
// supplies the tree (windows and toolkit controls), tests supply a fake one.

namespace lw::skin {

// How one child is reached.
enum class BroadcastRoute {
    Skip,     // being destroyed: not addressed, the walk goes on with its next sibling
    Direct,   // windowless, or its window does not exist yet: its handler is called directly
    Send,     // a skinned window: sent the message, it passes it on to its own children itself
    Descend,  // an unskinned container: not addressed, the walk goes through its children
};

// Tree needs: int ChildCount(Node), Node ChildAt(Node, int), BroadcastRoute Route(Node),
// void CallHandler(Node), void Send(Node). The count is read again before every step, so
// children added or removed by a handler during the walk are honoured.
template <class Tree, class Node>
void BroadcastToChildren(Tree& tree, Node container) {
    for (int i = 0; i < tree.ChildCount(container); ++i) {
        Node child = tree.ChildAt(container, i);
        switch (tree.Route(child)) {
        case BroadcastRoute::Skip:
            break;
        case BroadcastRoute::Direct:
            tree.CallHandler(child);
            break;
        case BroadcastRoute::Send:
            tree.Send(child);
            break;
        case BroadcastRoute::Descend:
            BroadcastToChildren(tree, child);
            break;
        }
    }
}

// A skinned container's handling of a broadcast: its own reaction and the pass to its children.
// After a load the children resolve their sections first (childrenFirst), so the container's
// own look is rebuilt over children that already know theirs; on removal and refresh the
// container goes first, so no child asks a parent that still holds stale data.
template <class OwnReaction, class PassOn>
void HandleBroadcastInOrder(bool childrenFirst, OwnReaction&& own, PassOn&& passOn) {
    if (childrenFirst) {
        passOn();
        own();
    } else {
        own();
        passOn();
    }
}

}  // namespace lw::skin
