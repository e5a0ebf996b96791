#pragma once
#include <string>

namespace lw::controls {

// An opaque node of the tree view the shell tree fills.
using Node = void*;

// The toolkit tree view as the shell tree's logic drives it. The real one is the tree
// control's window; tests use one in memory.
class TreeNodes {
public:
    virtual ~TreeNodes() = default;
    // A new child of `parent` (null: a top node), just before `before` (null: the last child).
    virtual Node Add(Node parent, Node before, const std::string& text) = 0;
    // Removes a node with everything below it.
    virtual void Delete(Node node) = 0;
    virtual void Clear() = 0;

    virtual Node Parent(Node node) const = 0;
    // The first child of `node`; of null, the tree's first top node.
    virtual Node FirstChild(Node node) const = 0;
    virtual Node NextSibling(Node node) const = 0;

    virtual void SetText(Node node, const std::string& text) = 0;
    virtual void SetImages(Node node, int image, int selectedImage) = 0;
    // Marks a shared item with the first overlay image.
    virtual void SetSharedOverlay(Node node) = 0;
    // Whether the node offers an expand button, children loaded or not.
    virtual bool HasChildren(Node node) const = 0;
    virtual void SetHasChildren(Node node, bool hasChildren) = 0;
    virtual bool Expanded(Node node) const = 0;
    // Shows the children; loading them is the caller's business.
    virtual void Expand(Node node) = 0;

    virtual Node Selected() const = 0;
    // Selects a node (null: none) as the user would, change notification included.
    virtual void Select(Node node) = 0;
    virtual Node TopVisible() const = 0;
    virtual void SetTopVisible(Node node) = 0;
    virtual void EditLabel(Node node) = 0;

    // Around bulk changes: no repainting, the hourglass pointer. Calls nest.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
};

}  // namespace lw::controls
