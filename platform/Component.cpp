#include "platform/Component.h"

#include <algorithm>

#include "platform/Exception.h"
#include "platform/DeferredRelease.h"

namespace lw::platform {

// An owned component is loading until its owner's Make (or its owner's own Loaded pass) is done.
TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) state_ |= csLoading;
}

TComponent::~TComponent() {
    CancelRelease(this);
    DestroyComponents();
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    for (const auto& component : components_) {
        if (component->Name == name) return component.get();
    }
    return nullptr;
}

void TComponent::FinishLoading() {
    // By index: a Loaded handler may make further components, which finish by themselves.
    for (size_t i = 0; i < components_.size(); ++i) components_[i]->FinishLoading();
    if (!(state_ & csLoading)) return;
    state_ &= ~csLoading;
    Loaded();
}

void TComponent::BeginDestroy() {
    if (state_ & csDestroying) return;
    state_ |= csDestroying;
    Destroying();
    for (size_t i = components_.size(); i-- > 0;) components_[i]->BeginDestroy();
}

void TComponent::Free() {
    if (!owner_) throw Exception("Cannot free a component that has no owner");
    BeginDestroy();
    auto& siblings = owner_->components_;
    const auto it = std::find_if(siblings.begin(), siblings.end(), [this](const auto& c) { return c.get() == this; });
    if (it == siblings.end()) return;
    // Out of the list before it goes, so nothing walking the owner's list meets it half freed.
    std::unique_ptr<TComponent> self = std::move(*it);
    siblings.erase(it);
}

void TComponent::Release() {
    if (!owner_) throw Exception("Cannot free a component that has no owner");
    ScheduleRelease(this);
}

void TComponent::DestroyComponents() {
    for (size_t i = components_.size(); i-- > 0;) components_[i]->BeginDestroy();
    while (!components_.empty()) components_.pop_back();
}

}  // namespace lw::platform
