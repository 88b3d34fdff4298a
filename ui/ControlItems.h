// TControlItems: the items of a list box or combo box, each a text with an optional object. They
// live here and are copied into the window, so they outlive it: a window made again (after a
// font or style change) gets them all back. A sorted list keeps them in the order the user's
// locale sorts, ignoring case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "NativeControl.h"
#include "StringList.h"

namespace ui {

class TControlItems {
 public:
  // The window's messages of a list box or combo box (LB_* or CB_*).
  struct Messages {
    UINT InsertString, DeleteString, ResetContent, GetCurSel, SetCurSel, GetItemHeight,
        SetItemHeight;
  };
  TControlItems(TWinControl& control, const Messages& messages)
      : control_(control), messages_(messages), redraw_(control) {}
  TControlItems(const TControlItems&) = delete;
  TControlItems& operator=(const TControlItems&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Strings(int index) const { return items_.at(index).text; }
  const std::string& operator[](int index) const { return Strings(index); }
  void SetString(int index, const std::string& text);
  void* Objects(int index) const { return items_.at(index).object; }
  void SetObject(int index, void* object) { items_.at(index).object = object; }
  // A value the control keeps with the item wherever it moves (a check list's check mark).
  int State(int index) const { return items_.at(index).state; }
  void SetState(int index, int state) { items_.at(index).state = state; }

  // Appends (or, when sorted, inserts in order); returns the new item's index.
  int Add(const std::string& text, void* object = nullptr);
  void Insert(int index, const std::string& text, void* object = nullptr);
  void Delete(int index);
  void Clear();
  // Index of the first item equal to text, ignoring case; -1 when there is none.
  int IndexOf(std::string_view text) const;
  // The items joined, each followed by CR LF; setting it splits at line ends.
  std::string Text() const;
  void SetText(std::string_view text);
  void Assign(const TStringList& list);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  // Between the two the window does not redraw.
  void BeginUpdate() { redraw_.Begin(); }
  void EndUpdate() { redraw_.End(); }

  // Copies every item into the control's window, just made.
  void FillWindow();

 private:
  struct Item {
    std::string text;
    void* object;
    int state;
  };
  void InsertItem(int index, Item item);
  void SendInsert(int index);

  TWinControl& control_;
  Messages messages_;
  std::vector<Item> items_;
  bool sorted_ = false;
  RedrawBracket redraw_;
};

}  // namespace ui
