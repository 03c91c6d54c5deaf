#include "framework/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_)
        owner_->components_.push_back(this);
}

TComponent::~TComponent() {
    for (TComponent* owned : components_)
        owned->owner_ = nullptr; // one that outlives its owner must not reach back
    if (owner_) {
        auto& siblings = owner_->components_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}
