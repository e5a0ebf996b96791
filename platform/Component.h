#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lw::platform {

// What a component is going through: built but not yet told it is complete, or about to be
// freed. Flags of ComponentState().
enum TComponentState : unsigned {
    csLoading = 1,
    csDestroying = 2,
};

// The root of the component model: every component has an owner that frees it. Owned
// components are held as unique_ptr by their owner and freed in reverse order of creation, so
// a control goes before the container created ahead of it; raw pointers elsewhere never own.
//
// Lifecycle: a component made while its owner is loading is loading too; when the outermost
// loading component has been built (Make returns, or a form is first shown) every component
// of it gets Loaded once, owned ones first. Before an owner frees its components, each of
// them and everything they own gets the destroying notice while all of them are still whole.
class TComponent {
public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    std::string Name;
    long long Tag = 0;

    unsigned ComponentState() const { return state_; }

    // Creates a component owned by this one; `T`'s constructor takes the owner first. Unless
    // this component is itself still loading, the new one gets its Loaded pass on return.
    template <class T, class... Args>
    T& Make(Args&&... args) {
        auto component = std::make_unique<T>(this, std::forward<Args>(args)...);
        T& result = *component;
        components_.push_back(std::move(component));
        if (!(state_ & csLoading)) result.FinishLoading();
        return result;
    }

    const std::vector<std::unique_ptr<TComponent>>& Components() const { return components_; }
    TComponent* FindComponent(std::string_view name) const;

    // Runs the Loaded pass over this component and what it owns, for those still loading.
    void FinishLoading();
    // Sends the destroying notice to this component and everything it owns; once only.
    void BeginDestroy();
    // Frees an owned component now, after its destroying notice. A component without an
    // owner belongs to whoever created it and is not freed here.
    void Free();
    // Frees an owned component once the message being handled has returned, so a handler may
    // ask for its own component (or itself) to go.
    void Release();

protected:
    // Marks a component that builds its parts in its constructor (a form) as loading.
    void SetLoading() { state_ |= csLoading; }
    // Override to finish setting up once the whole form is built.
    virtual void Loaded() {}
    // Override to let go of other objects while everything around is still whole.
    virtual void Destroying() {}
    // Frees the owned components now, each after its destroying notice; a windowed owner calls
    // this before its window goes, so children never see a destroyed parent.
    void DestroyComponents();

private:
    TComponent* owner_;
    unsigned state_ = 0;
    std::vector<std::unique_ptr<TComponent>> components_;
};

}  // namespace lw::platform
