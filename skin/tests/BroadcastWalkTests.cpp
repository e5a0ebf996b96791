#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/BroadcastWalk.h"

namespace lw::skin {
namespace {

// A control tree: skinned windows pass the broadcast on themselves, in their order.
struct Node {
    explicit Node(std::string name, BroadcastRoute route = BroadcastRoute::Send, std::vector<Node*> children = {})
        : Name(std::move(name)), Route(route), Children(std::move(children)) {}
    std::string Name;
    BroadcastRoute Route;
    std::vector<Node*> Children;
};

struct FakeTree {
    bool Loaded = false;  // the command being broadcast is the "skin loaded" one
    std::vector<std::string> Log;
    std::function<void(Node*)> OnReaction;

    int ChildCount(Node* n) const { return static_cast<int>(n->Children.size()); }
    Node* ChildAt(Node* n, int i) const { return n->Children[static_cast<std::size_t>(i)]; }
    BroadcastRoute Route(Node* n) const { return n->Route; }
    void CallHandler(Node* n) { React(n); }
    void Send(Node* n) {
        HandleBroadcastInOrder(
            Loaded, [&] { React(n); }, [&] { BroadcastToChildren(*this, n); });
    }
    void React(Node* n) {
        Log.push_back(n->Name);
        if (OnReaction) OnReaction(n);
    }
};

struct BroadcastWalkTest : ::testing::Test {
    Node b1{"b1"}, b2{"label", BroadcastRoute::Direct}, dying{"dying", BroadcastRoute::Skip}, b3{"b3"};
    Node panel{"panel", BroadcastRoute::Send, {&b1, &b2, &dying, &b3}};
    Node inner{"inner"};
    Node plain{"plain", BroadcastRoute::Descend, {&inner}};
    Node form{"form", BroadcastRoute::Send, {&panel, &plain}};
    FakeTree tree;
};

TEST_F(BroadcastWalkTest, ChildrenFirstAfterALoadContainerFirstOtherwise) {
    struct Case {
        bool loaded;
        std::vector<std::string> order;
    } cases[] = {
        {true, {"b1", "label", "b3", "panel", "inner"}},
        {false, {"panel", "b1", "label", "b3", "inner"}},
    };
    for (const Case& c : cases) {
        tree.Loaded = c.loaded;
        tree.Log.clear();
        BroadcastToChildren(tree, &form);
        EXPECT_EQ(tree.Log, c.order) << "loaded " << c.loaded
                                     << ": the child being destroyed is skipped, its siblings still reached, "
                                        "the unskinned container walked through";
    }
}

TEST_F(BroadcastWalkTest, ChildrenAddedDuringTheWalkAreReached) {
    Node late{"late"};
    tree.OnReaction = [&](Node* n) {
        if (n == &b1) panel.Children.push_back(&late);
    };
    BroadcastToChildren(tree, &form);
    EXPECT_EQ(tree.Log, (std::vector<std::string>{"panel", "b1", "label", "b3", "late", "inner"}));
}

}  // namespace
}  // namespace lw::skin
