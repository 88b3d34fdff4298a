#include "Component.h"

#include "Win32.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace ui {

namespace {

// The layout being applied on this (the GUI) thread, innermost first.
TLayoutLoading* g_layout = nullptr;

void EraseOne(std::vector<TComponent*>& list, TComponent* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
}

}  // namespace

TComponent::TComponent(TComponent* AOwner) : owner_(AOwner) {
  if (g_layout && AOwner && AOwner->IsLoading()) {
    state_ |= csLoading;
    g_layout->Track(this);
  }
  if (owner_) owner_->InsertComponent(this);
}

TComponent::~TComponent() {
  state_ |= csDestroying;
  for (TLayoutLoading* layout = g_layout; layout; layout = layout->outer_) layout->Forget(this);
  // Those who asked hear of it first, while the owner list is still whole.
  for (TComponent* other : std::exchange(freeNotifies_, {})) {
    EraseOne(other->freeNotifies_, this);
    other->Notification(this, opRemove);
  }
  // Owned components go last-created first; they all go, so the rest are not told.
  while (!components_.empty()) {
    TComponent* child = components_.back();
    components_.pop_back();
    delete child;
  }
  if (owner_ && !owner_->IsDestroying()) owner_->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_) {
    if (c->name_.size() == name.size() &&
        CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, c->name_.data(),
                       static_cast<int>(c->name_.size()), name.data(),
                       static_cast<int>(name.size())) == CSTR_EQUAL)
      return c;
  }
  return nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end()) {
    freeNotifies_.push_back(AComponent);
    AComponent->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  EraseOne(freeNotifies_, AComponent);
  EraseOne(AComponent->freeNotifies_, this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove) RemoveFreeNotification(AComponent);
  BroadcastNotification(AComponent, Operation);
}

void TComponent::BroadcastNotification(TComponent* AComponent, TOperation Operation) {
  // A handler may free components of this owner: walk a copy and skip the ones gone since.
  const std::vector<TComponent*> snapshot = components_;
  for (TComponent* c : snapshot) {
    if (c == AComponent) continue;
    if (std::find(components_.begin(), components_.end(), c) == components_.end()) continue;
    c->Notification(AComponent, Operation);
  }
}

void TComponent::InsertComponent(TComponent* AComponent) {
  components_.push_back(AComponent);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  EraseOne(components_, AComponent);
  Notification(AComponent, opRemove);
}

TLayoutLoading::TLayoutLoading(TComponent& root)
    : root_(root), outer_(g_layout), exceptions_(std::uncaught_exceptions()) {
  g_layout = this;
  root_.state_ |= csLoading;
}

TLayoutLoading::~TLayoutLoading() {
  root_.state_ &= ~csLoading;
  for (TComponent* c : loading_)
    if (c) c->state_ &= ~csLoading;
  // A layout cut short by an exception is not finished: nothing of it is told it loaded.
  if (std::uncaught_exceptions() == exceptions_) {
    root_.Loaded();
    // Loaded may free components of the layout; Forget leaves a hole instead of shifting.
    for (size_t i = 0; i < loading_.size(); ++i)
      if (loading_[i]) loading_[i]->Loaded();
  }
  g_layout = outer_;
}

void TLayoutLoading::Track(TComponent* component) { loading_.push_back(component); }

void TLayoutLoading::Forget(TComponent* component) {
  std::replace(loading_.begin(), loading_.end(), component, static_cast<TComponent*>(nullptr));
}

}  // namespace ui
