#include "platform/Component.h"

namespace lw::platform {

TComponent::TComponent(TComponent* owner) : owner_(owner) {}

TComponent::~TComponent() { DestroyComponents(); }

TComponent* TComponent::FindComponent(std::string_view name) const {
    for (const auto& component : components_) {
        if (component->Name == name) return component.get();
    }
    return nullptr;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) components_.pop_back();
}

}  // namespace lw::platform
