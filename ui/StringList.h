// TStringList: an ordered list of strings, each with an optional object pointer, that tells its
// owner after every change (once per BeginUpdate/EndUpdate bracket).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// Compares as the user's locale sorts, ignoring case.
int CompareTextIgnoringCase(std::string_view a, std::string_view b);

class TStringList {
 public:
  TStringList() = default;
  TStringList(const TStringList& other) : items_(other.items_), sorted_(other.sorted_) {}
  TStringList& operator=(const TStringList& other);

  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Strings(int index) const { return items_.at(index).text; }
  const std::string& operator[](int index) const { return Strings(index); }
  void SetString(int index, const std::string& text);
  void* Objects(int index) const { return items_.at(index).object; }
  void SetObject(int index, void* object);

  // Appends (or, when sorted, inserts in order); returns the new item's index.
  int Add(const std::string& text, void* object = nullptr);
  void Insert(int index, const std::string& text, void* object = nullptr);
  void Delete(int index);
  void Clear();
  void Move(int from, int to);
  void Exchange(int a, int b);
  // Index of the first item equal to text, ignoring case; -1 when there is none.
  int IndexOf(std::string_view text) const;

  // The items joined, each followed by CR LF; setting it splits at CR LF, LF or CR.
  std::string Text() const;
  void SetText(std::string_view text);
  void Assign(const TStringList& other) { *this = other; }

  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);

  void BeginUpdate() { ++updating_; }
  void EndUpdate();
  std::function<void()> OnChange;

 private:
  struct Item {
    std::string text;
    void* object;
  };
  void Changed();
  void Sort();

  std::vector<Item> items_;
  bool sorted_ = false;
  int updating_ = 0;
  bool changedWhileUpdating_ = false;
};

}  // namespace ui
