#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lw::platform {

// The root of the component model: every component has an owner that frees it. Owned
// components are held as unique_ptr by their owner and freed in reverse order of creation, so
// a control goes before the container created ahead of it; raw pointers elsewhere never own.
class TComponent {
public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    std::string Name;
    long long Tag = 0;

    // Creates a component owned by this one; `T`'s constructor takes the owner first.
    template <class T, class... Args>
    T& Make(Args&&... args) {
        auto component = std::make_unique<T>(this, std::forward<Args>(args)...);
        T& result = *component;
        components_.push_back(std::move(component));
        return result;
    }

    const std::vector<std::unique_ptr<TComponent>>& Components() const { return components_; }
    TComponent* FindComponent(std::string_view name) const;

protected:
    // Frees the owned components now; a windowed owner calls this before its window goes, so
    // children never see a destroyed parent.
    void DestroyComponents();

private:
    TComponent* owner_;
    std::vector<std::unique_ptr<TComponent>> components_;
};

}  // namespace lw::platform
