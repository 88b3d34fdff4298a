// Components with owners: an owner frees the components it owns when it is destroyed, and
// components can ask to be told when another one goes away (free notification).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace ui {

class TComponent;

// Every event handler that only learns who sent it.
using TNotifyEvent = std::function<void(TComponent* Sender)>;

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned {
  csLoading = 1,     // its window layout is being applied; Loaded() follows
  csDesigning = 2,   // never set at run time; kept so design-time branches read as such
  csDestroying = 4,  // its owner (or itself) is being destroyed
};

// The class names an object answers to. Code that tests classes it cannot see (the style push
// of the skin library tests controls by class, most of which live in later units) asks by name.
#define UI_CLASS(Self, Base)                                        \
 public:                                                            \
  std::string_view ClassName() const override { return #Self; }     \
  bool InheritsFrom(std::string_view name) const override {         \
    return name == #Self || Base::InheritsFrom(name);               \
  }

class TComponent {
 public:
  explicit TComponent(TComponent* AOwner);
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  virtual ~TComponent();

  virtual std::string_view ClassName() const { return "TComponent"; }
  virtual bool InheritsFrom(std::string_view name) const { return name == "TComponent"; }

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(index); }
  // The owned component of that name (case-insensitive), or none.
  TComponent* FindComponent(std::string_view name) const;

  unsigned ComponentState() const { return state_; }
  bool IsLoading() const { return (state_ & csLoading) != 0; }
  bool IsDesigning() const { return (state_ & csDesigning) != 0; }
  bool IsDestroying() const { return (state_ & csDestroying) != 0; }

  // Ask to be told (through Notification with opRemove) when AComponent is destroyed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

 protected:
  // Points a field of this component at value and moves the free notification along, so that
  // Notification tells this component when what the field refers to is destroyed. The old
  // component keeps notifying when another field (keptBy) still refers to it.
  template <typename T>
  void ReferTo(T*& field, std::type_identity_t<T>* value, const TComponent* keptBy = nullptr) {
    if (field && field != keptBy) RemoveFreeNotification(field);
    field = value;
    FreeNotification(value);
  }

  // Told about components inserted into or removed from this one's owner list, and about
  // destroyed components it asked to hear about. The owner passes inserts and removals on to
  // every component it owns, so siblings can drop references to each other.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Runs once the window layout that created this component has been applied.
  virtual void Loaded() {}
  // The second phase of construction, run by Create<T>() once the most derived constructor is
  // done: construction steps that call virtual operations a derived class supplies go here
  // (an override calls its base's first), since a base constructor only reaches its own.
  virtual void AfterConstruction() {}

 private:
  friend class TLayoutLoading;
  template <typename T, typename... Args>
  friend T* Create(TComponent* AOwner, Args&&... args);
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void BroadcastNotification(TComponent* AComponent, TOperation Operation);

  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  unsigned state_ = 0;
};

// Makes a component in both phases: the constructor, then AfterConstruction. The owner frees
// it (with no owner the caller does). Components whose classes have a second phase are made
// only through this.
template <typename T, typename... Args>
T* Create(TComponent* AOwner, Args&&... args) {
  T* component = new T(AOwner, std::forward<Args>(args)...);
  try {
    static_cast<TComponent*>(component)->AfterConstruction();
  } catch (...) {
    delete component;
    throw;
  }
  return component;
}

// A window layout is applied inside one of these: the root and every component created for it
// (owned by it, directly or through others) are in csLoading until the scope ends; then their
// Loaded() runs, the root's first, then the others in creation order. A layout is a builder
// function that creates each component with the root as owner and writes its stored values in
// stored order, as a layout file would be read.
class TLayoutLoading {
 public:
  explicit TLayoutLoading(TComponent& root);
  TLayoutLoading(const TLayoutLoading&) = delete;
  TLayoutLoading& operator=(const TLayoutLoading&) = delete;
  ~TLayoutLoading();

 private:
  friend class TComponent;
  void Track(TComponent* component);
  void Forget(TComponent* component);

  TComponent& root_;
  TLayoutLoading* outer_;
  int exceptions_;
  std::vector<TComponent*> loading_;
};

}  // namespace ui
