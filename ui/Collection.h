// Owned item collections: a list of items that belong to it, which tells its holder after every
// change (a title bar repaints when one of its buttons changes) and copies another collection of
// its kind item by item (Assign), as a window layout stores it.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "Component.h"

namespace ui {

template <typename Item>
class TOwnedCollection;

// The base of a collection's items; Item is the item class itself.
template <typename Item>
class TCollectionItem {
 public:
  using Collection = TOwnedCollection<Item>;
  explicit TCollectionItem(Collection& collection) : collection_(collection) {}
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;
  virtual ~TCollectionItem() = default;

  Collection& GetCollection() const { return collection_; }
  int Index() const { return collection_.IndexOf(static_cast<const Item*>(this)); }

 protected:
  // Tells the collection's holder that this item changed.
  void Changed() { collection_.Changed(); }

 private:
  Collection& collection_;
};

// Item must derive from TCollectionItem<Item>, be constructible from the collection, and offer
// Assign(const Item&).
template <typename Item>
class TOwnedCollection {
 public:
  explicit TOwnedCollection(TComponent* owner) : owner_(owner) {}
  TOwnedCollection(const TOwnedCollection&) = delete;
  TOwnedCollection& operator=(const TOwnedCollection&) = delete;

  // The component the collection belongs to.
  TComponent* Owner() const { return owner_; }
  int Count() const { return static_cast<int>(items_.size()); }
  Item& Items(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("Collection index out of range");
    return *items_[index];
  }
  int IndexOf(const Item* item) const {
    for (int i = 0; i < Count(); ++i)
      if (items_[i].get() == item) return i;
    return -1;
  }

  Item& Add() {
    items_.push_back(std::make_unique<Item>(*this));
    Changed();
    return *items_.back();
  }
  void Delete(int index) {
    Items(index);
    items_.erase(items_.begin() + index);
    Changed();
  }
  void Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
  }
  // Becomes a copy of the other collection: as many items, each assigned from its counterpart.
  // The holder hears of it once, at the end.
  void Assign(const TOwnedCollection& other) {
    if (&other == this) return;
    BeginUpdate();
    struct End {
      TOwnedCollection& c;
      ~End() { c.EndUpdate(); }
    } end{*this};
    items_.clear();
    for (const auto& source : other.items_) {
      items_.push_back(std::make_unique<Item>(*this));
      items_.back()->Assign(*source);
    }
    changedWhileUpdating_ = true;
  }

  // Changes between these two are told to the holder once, at EndUpdate.
  void BeginUpdate() { ++updating_; }
  void EndUpdate() {
    if (--updating_ == 0 && std::exchange(changedWhileUpdating_, false)) Changed();
  }
  void Changed() {
    if (updating_ > 0) changedWhileUpdating_ = true;
    else if (OnChange) OnChange();
  }

  // Told after every change of the collection or of one of its items.
  std::function<void()> OnChange;

 private:
  TComponent* owner_;
  std::vector<std::unique_ptr<Item>> items_;
  int updating_ = 0;
  bool changedWhileUpdating_ = false;
};

}  // namespace ui
