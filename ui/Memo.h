// TCustomMemo / TMemo: the native multi-line edit box: its text as lines (Lines, read from and
// written to the window, or to the text while there is none), scroll bars, word wrap, and
// whether Enter and Tab are typed into it or left to the form.
#pragma once

#include <string>
#include <string_view>

#include "Edit.h"
#include "StringList.h"

namespace ui {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo;

// The memo's text as a list of lines; a text that ends with a line break has no empty last line.
class TMemoLines {
 public:
  int Count() const;
  std::string Strings(int index) const;
  std::string operator[](int index) const { return Strings(index); }
  void SetString(int index, const std::string& text);
  int Add(const std::string& text);
  void Insert(int index, const std::string& text);
  void Delete(int index);
  void Clear();
  // The lines, each followed by CR LF.
  std::string Text() const;
  void SetText(std::string_view text);
  void Assign(const TStringList& list) { SetText(list.Text()); }
  // Between the two the window does not redraw.
  void BeginUpdate() { redraw_.Begin(); }
  void EndUpdate() { redraw_.End(); }

 private:
  friend class TCustomMemo;
  explicit TMemoLines(TCustomMemo& memo);
  // The character range of line index, with its line break when withBreak.
  std::pair<int, int> LineRange(int index, bool withBreak) const;
  void Replace(std::pair<int, int> range, const std::string& text);

  TCustomMemo& memo_;
  RedrawBracket redraw_;
};

class TCustomMemo : public TCustomEdit {
  UI_CLASS(TCustomMemo, TCustomEdit)
 public:
  explicit TCustomMemo(TComponent* AOwner);

  TMemoLines& Lines() { return lines_; }
  const TMemoLines& Lines() const { return lines_; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  // Enter starts a new line (otherwise it goes to the form, for its default button).
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value) { wantReturns_ = value; }
  // Tab is typed (otherwise it moves the focus).
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool value) { wantTabs_ = value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;

 private:
  void SetAndRecreate(bool& field, bool value);

  TMemoLines lines_{*this};
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
  TAlignment alignment_ = taLeftJustify;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
};

class TMemo : public TCustomMemo {
  UI_CLASS(TMemo, TCustomMemo)
 public:
  using TCustomMemo::TCustomMemo;
};

}  // namespace ui
