#pragma once
// A namespace and a tree view in memory, deterministic, for the shell tree's logic.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "controls/shell/core/ShellNamespace.h"
#include "controls/shell/core/TreeNodes.h"

namespace lw::controls::testing {

struct Entry {
    std::string Name;
    bool Folder = true;
    std::string Parsing;  // set for special items; others are their parent's path + name
    bool Renamable = true;
    bool RefuseRename = false;  // the shell says no
    bool Unlistable = false;    // enumeration fails
    bool ClaimsSubFolders = false;
    bool Shared = false;
    Entry* Parent = nullptr;
    std::vector<std::unique_ptr<Entry>> Children;

    Entry& Add(std::string name, bool folder = true) {
        auto child = std::make_unique<Entry>();
        child->Name = std::move(name);
        child->Folder = folder;
        child->Parent = this;
        Children.push_back(std::move(child));
        return *Children.back();
    }
    Entry* Child(const std::string& name) const {
        for (auto& c : Children)
            if (c->Name == name) return c.get();
        return nullptr;
    }
    std::string Path() const {
        if (!Parsing.empty()) return Parsing;
        std::string base = Parent ? Parent->Path() : "";
        if (!base.empty() && base.back() != '\\') base += '\\';
        return base + Name;
    }
};

// Built in place: growing a two-byte vector trips the cross-compiler's bounds warning.
inline IdList ItemOf(const std::string& name) {
    IdList id(name.size() + 4, 0);
    id[0] = static_cast<std::uint8_t>(name.size() + 2);
    std::copy(name.begin(), name.end(), id.begin() + 2);
    return id;
}

class FakeNamespace;

class FakeFolder : public ShellFolder {
public:
    FakeFolder(FakeNamespace& space, Entry& entry) : space_(space), entry_(entry) {}
    std::optional<std::vector<IdList>> Enumerate(std::uint32_t flags) override;
    std::shared_ptr<ShellFolder> Bind(const IdList& child) override;
    int Compare(const IdList& a, const IdList& b) override;
    std::uint32_t Attributes(const IdList& child, std::uint32_t) override;
    std::optional<std::string> DisplayName(const IdList& child, NameKind kind) override;
    std::optional<IdList> Rename(const IdList& child, const std::string& name) override;

    // The entry a relative list names; null when any item is unknown.
    Entry* Resolve(const IdList& list) const {
        Entry* at = &entry_;
        std::size_t i = 0;
        while (i + 2 <= list.size()) {
            const std::size_t count = list[i] | (list[i + 1] << 8);
            if (count < 2) return at;
            at = at->Child(
                std::string(list.begin() + static_cast<long>(i) + 2, list.begin() + static_cast<long>(i + count)));
            if (!at) return nullptr;
            i += count;
        }
        return nullptr;
    }

private:
    FakeNamespace& space_;
    Entry& entry_;
};

class FakeNamespace : public ShellNamespace {
public:
    FakeNamespace() {
        desktop.Name = "Desktop";
        desktop.Parsing = "D:\\Home\\Desktop";
        auto& computer = desktop.Add("My Computer");
        computer.Parsing = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
        computer.Renamable = false;
        auto& drive = computer.Add("C:");
        drive.Parsing = "C:\\";
        drive.Renamable = false;
    }

    Entry desktop;
    std::string currentDirectory = "C:\\start";
    int enumerations = 0;
    std::vector<std::string> opened;
    std::vector<std::string> directoryChanges;

    std::shared_ptr<ShellFolder> Desktop() override {
        if (!desktopFolder_) desktopFolder_ = std::make_shared<FakeFolder>(*this, desktop);
        return desktopFolder_;
    }
    std::optional<IdList> SpecialFolder(int csidl) override {
        if (csidl == 0) return EmptyIdList();
        if (csidl == 17) return ItemOf("My Computer");
        return std::nullopt;
    }
    std::optional<IdList> Parse(const std::string& path) override {
        IdList id = EmptyIdList();
        return Find(desktop, path, id) ? std::optional(id) : std::nullopt;
    }
    std::string ExpandFileName(const std::string& path) override {
        return path.size() > 1 && path[1] == ':' ? path : currentDirectory + "\\" + path;
    }
    int IconIndex(const IdList& absolute, bool open) override {
        return static_cast<int>(absolute.size()) * 2 + (open ? 1 : 0);
    }
    bool FileExists(const std::string& path) override { return Exists(path, false); }
    bool DirectoryExists(const std::string& path) override { return Exists(path, true); }
    void OpenItem(const std::string& path, const std::string&) override { opened.push_back(path); }
    std::string CurrentDirectory() override { return currentDirectory; }
    bool ChangeDirectory(const std::string& path) override {
        directoryChanges.push_back(path);
        currentDirectory = path;
        return true;
    }

    Entry& At(const std::string& path) {
        Entry* found = nullptr;
        Walk(desktop, [&](Entry& e) {
            if (!found && e.Path() == path) found = &e;
        });
        return *found;
    }

private:
    template <class F>
    static void Walk(Entry& e, F f) {
        f(e);
        for (auto& c : e.Children) Walk(*c, f);
    }
    bool Find(Entry& at, const std::string& path, IdList& id) {
        if (at.Path() == path) return true;
        for (auto& c : at.Children) {
            IdList longer = ConcatIdLists(id, ItemOf(c->Name));
            if (Find(*c, path, longer)) {
                id = longer;
                return true;
            }
        }
        return false;
    }
    bool Exists(const std::string& path, bool folder) {
        bool found = false;
        Walk(desktop,
             [&](Entry& e) { found |= e.Folder == folder && !IsVirtualParsingName(e.Path()) && e.Path() == path; });
        return found;
    }
    std::shared_ptr<FakeFolder> desktopFolder_;
};

inline std::optional<std::vector<IdList>> FakeFolder::Enumerate(std::uint32_t flags) {
    ++space_.enumerations;
    if (entry_.Unlistable) return std::nullopt;
    std::vector<IdList> ids;
    for (auto& c : entry_.Children)
        if ((c->Folder && (flags & kListFolders)) || (!c->Folder && (flags & kListNonFolders)))
            ids.push_back(ItemOf(c->Name));
    std::reverse(ids.begin(), ids.end());  // the shell gives no order
    return ids;
}

inline std::shared_ptr<ShellFolder> FakeFolder::Bind(const IdList& child) {
    Entry* e = Resolve(child);
    return e && e->Folder && e != &entry_ ? std::make_shared<FakeFolder>(space_, *e) : nullptr;
}

inline int FakeFolder::Compare(const IdList& a, const IdList& b) {
    const Entry* x = Resolve(a);
    const Entry* y = Resolve(b);
    if (!x || !y) return 0;
    const std::string px = x->Path(), py = y->Path();
    return px < py ? -1 : px > py ? 1 : 0;
}

inline std::uint32_t FakeFolder::Attributes(const IdList& child, std::uint32_t) {
    const Entry* e = Resolve(child);
    if (!e) return 0;
    std::uint32_t bits = 0;
    if (e->Folder) bits |= kIsFolder;
    if (e->Renamable) bits |= kCanRename;
    if (e->Shared) bits |= kShared;
    if (e->ClaimsSubFolders || std::any_of(e->Children.begin(), e->Children.end(), [](auto& c) { return c->Folder; }))
        bits |= kHasSubFolder;
    return bits;
}

inline std::optional<std::string> FakeFolder::DisplayName(const IdList& child, NameKind kind) {
    const Entry* e = Resolve(child);
    if (!e) return std::nullopt;
    return kind == NameKind::ForParsing ? e->Path() : e->Name;
}

inline std::optional<IdList> FakeFolder::Rename(const IdList& child, const std::string& name) {
    Entry* e = Resolve(child);
    if (!e || e->RefuseRename || entry_.Child(name)) return std::nullopt;
    e->Name = name;
    return ItemOf(name);
}

// A tree view in memory.
class FakeTree : public TreeNodes {
public:
    struct N {
        std::string Text;
        N* Parent = nullptr;
        std::vector<std::unique_ptr<N>> Children;
        bool HasChildren = false, Expanded = false;
        int Image = -1, SelectedImage = -1;
    };
    std::vector<std::unique_ptr<N>> top;
    N* selected = nullptr;
    N* editing = nullptr;
    N* topVisible = nullptr;
    int selections = 0;
    int updateDepth = 0;

    static N* AsN(Node n) { return static_cast<N*>(n); }
    std::vector<std::unique_ptr<N>>& ListOf(N* parent) { return parent ? parent->Children : top; }
    const std::vector<std::unique_ptr<N>>& ListOf(N* parent) const { return parent ? parent->Children : top; }

    Node Add(Node parent, Node before, const std::string& text) override {
        auto& list = ListOf(AsN(parent));
        auto at = std::find_if(list.begin(), list.end(), [&](auto& n) { return n.get() == before; });
        auto node = std::make_unique<N>();
        node->Text = text;
        node->Parent = AsN(parent);
        return list.insert(at, std::move(node))->get();
    }
    void Delete(Node node) override {
        auto& list = ListOf(AsN(node)->Parent);
        if (Contains(AsN(node), selected)) selected = nullptr;
        if (Contains(AsN(node), topVisible)) topVisible = nullptr;
        std::erase_if(list, [&](auto& n) { return n.get() == node; });
    }
    void Clear() override {
        top.clear();
        selected = topVisible = nullptr;
    }
    Node Parent(Node node) const override { return node ? AsN(node)->Parent : nullptr; }
    Node FirstChild(Node node) const override {
        auto& list = ListOf(AsN(node));
        return list.empty() ? nullptr : list.front().get();
    }
    Node NextSibling(Node node) const override {
        auto& list = ListOf(AsN(node)->Parent);
        for (std::size_t i = 0; i + 1 < list.size(); ++i)
            if (list[i].get() == node) return list[i + 1].get();
        return nullptr;
    }
    void SetText(Node node, const std::string& text) override { AsN(node)->Text = text; }
    void SetImages(Node node, int image, int selectedImage) override {
        AsN(node)->Image = image;
        AsN(node)->SelectedImage = selectedImage;
    }
    void SetSharedOverlay(Node) override {}
    bool HasChildren(Node node) const override { return AsN(node)->HasChildren; }
    void SetHasChildren(Node node, bool has) override { AsN(node)->HasChildren = has; }
    bool Expanded(Node node) const override { return AsN(node)->Expanded; }
    void Expand(Node node) override { AsN(node)->Expanded = true; }
    Node Selected() const override { return selected; }
    void Select(Node node) override {
        selected = AsN(node);
        ++selections;
    }
    Node TopVisible() const override { return topVisible; }
    void SetTopVisible(Node node) override { topVisible = AsN(node); }
    void EditLabel(Node node) override { editing = AsN(node); }
    void BeginUpdate() override { ++updateDepth; }
    void EndUpdate() override { --updateDepth; }

    // Texts of a node's children, in order.
    std::vector<std::string> Texts(Node parent) const {
        std::vector<std::string> texts;
        for (auto& n : ListOf(AsN(parent))) texts.push_back(n->Text);
        return texts;
    }
    N* ChildNamed(Node parent, const std::string& text) const {
        for (auto& n : ListOf(AsN(parent)))
            if (n->Text == text) return n.get();
        return nullptr;
    }

private:
    static bool Contains(N* root, N* node) {
        for (N* at = node; at; at = at->Parent)
            if (at == root) return true;
        return false;
    }
};

}  // namespace lw::controls::testing
