#include "Memo.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

namespace {
// The lines of a text held without a window.
TStringList SplitLines(const std::string& text) {
  TStringList lines;
  lines.SetText(text);
  return lines;
}
}  // namespace

// ---- lines

TMemoLines::TMemoLines(TCustomMemo& memo) : memo_(memo), redraw_(memo) {}

int TMemoLines::Count() const {
  if (!memo_.HandleAllocated()) return SplitLines(memo_.Text()).Count();
  HWND wnd = const_cast<TCustomMemo&>(memo_).Handle();
  int count = static_cast<int>(SendMessageA(wnd, EM_GETLINECOUNT, 0, 0));
  // The empty line after a closing line break is no line of the text.
  const LRESULT lastStart = SendMessageA(wnd, EM_LINEINDEX, count - 1, 0);
  if (SendMessageA(wnd, EM_LINELENGTH, lastStart, 0) == 0) --count;
  return count;
}

std::string TMemoLines::Strings(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  if (!memo_.HandleAllocated()) return SplitLines(memo_.Text())[index];
  HWND wnd = const_cast<TCustomMemo&>(memo_).Handle();
  const LRESULT start = SendMessageA(wnd, EM_LINEINDEX, index, 0);
  const int length = static_cast<int>(SendMessageA(wnd, EM_LINELENGTH, start, 0));
  // EM_GETLINE reads the buffer's size from its first word: at least two bytes.
  std::string line(std::max(length, 2), '\0');
  *reinterpret_cast<WORD*>(line.data()) = static_cast<WORD>(std::min(length, 0xFFFF));
  line.resize(SendMessageA(wnd, EM_GETLINE, index, reinterpret_cast<LPARAM>(line.data())));
  return line;
}

std::pair<int, int> TMemoLines::LineRange(int index, bool withBreak) const {
  HWND wnd = memo_.Handle();
  const int start = static_cast<int>(SendMessageA(wnd, EM_LINEINDEX, index, 0));
  int end = start + static_cast<int>(SendMessageA(wnd, EM_LINELENGTH, start, 0));
  if (withBreak) {
    const LRESULT next = SendMessageA(wnd, EM_LINEINDEX, index + 1, 0);
    end = next >= 0 ? static_cast<int>(next) : GetWindowTextLengthA(wnd);
  }
  return {start, end};
}

void TMemoLines::Replace(std::pair<int, int> range, const std::string& text) {
  HWND wnd = memo_.Handle();
  SendMessageA(wnd, EM_SETSEL, range.first, range.second);
  SendMessageA(wnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TMemoLines::SetString(int index, const std::string& text) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  if (!memo_.HandleAllocated()) {
    TStringList lines = SplitLines(memo_.Text());
    lines.SetString(index, text);
    return memo_.SetText(lines.Text());
  }
  Replace(LineRange(index, false), text);
}

int TMemoLines::Add(const std::string& text) {
  const int index = Count();
  Insert(index, text);
  return index;
}

void TMemoLines::Insert(int index, const std::string& text) {
  const int count = Count();
  if (index < 0 || index > count) throw std::out_of_range("List index out of bounds");
  if (!memo_.HandleAllocated()) {
    TStringList lines = SplitLines(memo_.Text());
    lines.Insert(index, text);
    return memo_.SetText(lines.Text());
  }
  if (index < count) {
    const int start = LineRange(index, false).first;
    return Replace({start, start}, text + "\r\n");
  }
  // At the end: after a line break of the last line, which a text may lack.
  const int end = GetWindowTextLengthA(memo_.Handle());
  const bool closed = count == 0 || end != LineRange(count - 1, false).second;
  Replace({end, end}, (closed ? "" : "\r\n") + text + "\r\n");
}

void TMemoLines::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  if (!memo_.HandleAllocated()) {
    TStringList lines = SplitLines(memo_.Text());
    lines.Delete(index);
    return memo_.SetText(lines.Text());
  }
  Replace(LineRange(index, true), "");
}

void TMemoLines::Clear() { memo_.SetText(""); }

std::string TMemoLines::Text() const {
  return SplitLines(memo_.Text()).Text();
}

void TMemoLines::SetText(std::string_view text) { memo_.SetText(std::string(text)); }

// ---- the memo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner) { SetBounds(0, 0, 185, 89); }

void TCustomMemo::SetAndRecreate(bool& field, bool value) {
  if (field == value) return;
  field = value;
  RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
  if (value == scrollBars_) return;
  scrollBars_ = value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value) { SetAndRecreate(wordWrap_, value); }

void TCustomMemo::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  RecreateWnd();
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  // A wrapping memo never scrolls sideways.
  if (wordWrap_) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) Params.Style |= WS_VSCROLL;
  if ((scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && !wordWrap_) Params.Style |= WS_HSCROLL;
  if (alignment_ == taRightJustify) Params.Style |= ES_RIGHT;
  if (alignment_ == taCenter) Params.Style |= ES_CENTER;
}

void TCustomMemo::WndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    TCustomEdit::WndProc(Message);
    if (!wantTabs_) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
    if (!wantReturns_) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
    return;
  }
  TCustomEdit::WndProc(Message);
}

}  // namespace ui
