#include "ControlItems.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

namespace {
bool SortsBefore(const std::string& a, const std::string& b) { return CompareTextIgnoringCase(a, b) < 0; }
}  // namespace

int TControlItems::Add(const std::string& text, void* object) {
  int index = Count();
  if (sorted_)
    index = static_cast<int>(std::upper_bound(items_.begin(), items_.end(), text,
                                              [](const std::string& t, const Item& item) {
                                                return SortsBefore(t, item.text);
                                              }) -
                             items_.begin());
  InsertItem(index, {text, object, 0});
  return index;
}

void TControlItems::Insert(int index, const std::string& text, void* object) {
  if (index < 0 || index > Count()) throw std::out_of_range("List index out of bounds");
  InsertItem(index, {text, object, 0});
}

void TControlItems::InsertItem(int index, Item item) {
  // The list first: a window measuring the new item (owner drawing) asks for its text.
  items_.insert(items_.begin() + index, std::move(item));
  try {
    SendInsert(index);
  } catch (...) {
    items_.erase(items_.begin() + index);
    throw;
  }
}

void TControlItems::SendInsert(int index) {
  if (!control_.HandleAllocated()) return;
  const LRESULT result = SendMessageA(control_.Handle(), messages_.InsertString, index,
                                      reinterpret_cast<LPARAM>(items_[index].text.c_str()));
  // LB_ERR/CB_ERR (-1) and LB_ERRSPACE/CB_ERRSPACE (-2).
  if (result < 0) throw std::runtime_error("The list cannot take more items");
}

void TControlItems::SetString(int index, const std::string& text) {
  Item item = items_.at(index);
  item.text = text;
  Delete(index);
  if (sorted_) {
    index = Add(item.text, item.object);
    items_[index].state = item.state;
  } else {
    InsertItem(index, std::move(item));
  }
}

void TControlItems::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  if (control_.HandleAllocated()) SendMessageA(control_.Handle(), messages_.DeleteString, index, 0);
  items_.erase(items_.begin() + index);
}

void TControlItems::Clear() {
  if (control_.HandleAllocated()) SendMessageA(control_.Handle(), messages_.ResetContent, 0, 0);
  items_.clear();
}

int TControlItems::IndexOf(std::string_view text) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareTextIgnoringCase(items_[i].text, text) == 0) return i;
  return -1;
}

std::string TControlItems::Text() const {
  std::string text;
  for (const Item& item : items_) text += item.text + "\r\n";
  return text;
}

void TControlItems::SetText(std::string_view text) {
  TStringList lines;
  lines.SetText(text);
  Assign(lines);
}

void TControlItems::Assign(const TStringList& list) {
  BeginUpdate();
  try {
    Clear();
    for (int i = 0; i < list.Count(); ++i) Add(list[i], list.Objects(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TControlItems::SetSorted(bool value) {
  if (value == sorted_) return;
  sorted_ = value;
  if (!value) return;
  std::stable_sort(items_.begin(), items_.end(),
                   [](const Item& a, const Item& b) { return SortsBefore(a.text, b.text); });
  if (control_.HandleAllocated()) {
    SendMessageA(control_.Handle(), messages_.ResetContent, 0, 0);
    FillWindow();
  }
}

void TControlItems::FillWindow() {
  SendMessageA(control_.Handle(), WM_SETREDRAW, FALSE, 0);
  try {
    for (int i = 0; i < Count(); ++i) SendInsert(i);
  } catch (...) {
    SendMessageA(control_.Handle(), WM_SETREDRAW, TRUE, 0);
    throw;
  }
  if (!redraw_.Open()) SendMessageA(control_.Handle(), WM_SETREDRAW, TRUE, 0);
}

}  // namespace ui
