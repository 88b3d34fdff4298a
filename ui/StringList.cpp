#include "StringList.h"

#include "Win32.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

int CompareTextIgnoringCase(std::string_view a, std::string_view b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) -
         CSTR_EQUAL;
}

TStringList& TStringList::operator=(const TStringList& other) {
  if (this == &other) return *this;
  items_ = other.items_;
  if (sorted_) Sort();
  Changed();
  return *this;
}

void TStringList::SetString(int index, const std::string& text) {
  items_.at(index).text = text;
  if (sorted_) Sort();
  Changed();
}

void TStringList::SetObject(int index, void* object) {
  items_.at(index).object = object;
  Changed();
}

int TStringList::Add(const std::string& text, void* object) {
  int index = Count();
  if (sorted_) {
    auto at = std::upper_bound(items_.begin(), items_.end(), text, [](const std::string& t, const Item& i) {
      return CompareTextIgnoringCase(t, i.text) < 0;
    });
    index = static_cast<int>(at - items_.begin());
  }
  items_.insert(items_.begin() + index, Item{text, object});
  Changed();
  return index;
}

void TStringList::Insert(int index, const std::string& text, void* object) {
  if (sorted_) throw std::logic_error("Operation not allowed on sorted list");
  if (index < 0 || index > Count()) throw std::out_of_range("List index out of bounds");
  items_.insert(items_.begin() + index, Item{text, object});
  Changed();
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

void TStringList::Move(int from, int to) {
  if (from == to) return;
  Item item = items_.at(from);
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + std::clamp(to, 0, Count()), item);
  Changed();
}

void TStringList::Exchange(int a, int b) {
  std::swap(items_.at(a), items_.at(b));
  Changed();
}

int TStringList::IndexOf(std::string_view text) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareTextIgnoringCase(items_[i].text, text) == 0) return i;
  return -1;
}

std::string TStringList::Text() const {
  std::string text;
  for (const Item& item : items_) text += item.text + "\r\n";
  return text;
}

void TStringList::SetText(std::string_view text) {
  BeginUpdate();
  Clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    Add(std::string(text.substr(start, end - start)));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  EndUpdate();
}

void TStringList::SetSorted(bool value) {
  if (value == sorted_) return;
  sorted_ = value;
  if (sorted_) {
    Sort();
    Changed();
  }
}

void TStringList::Sort() {
  std::stable_sort(items_.begin(), items_.end(), [](const Item& a, const Item& b) {
    return CompareTextIgnoringCase(a.text, b.text) < 0;
  });
}

void TStringList::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0 && changedWhileUpdating_) {
    changedWhileUpdating_ = false;
    Changed();
  }
}

void TStringList::Changed() {
  if (updating_ > 0) {
    changedWhileUpdating_ = true;
    return;
  }
  if (OnChange) OnChange();
}

}  // namespace ui
