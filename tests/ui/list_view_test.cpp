// The native list view in report style on the test display: rows and cells as the window shows
// them, check boxes toggled by a click, sorting by a column click with the keys the program's
// columns need, custom-drawn rows through a double-buffered paint, and the items' states kept
// across a new window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ListView.h"
#include "WindowCapture.h"
#include "WindowInput.h"
#include "WindowTestKit.h"

using testkit::Pump;

namespace {

// A report list with the player's columns, on a shown form.
class PlayList : public ::testing::Test {
 protected:
  void SetUp() override {
    form->SetBorderStyle(ui::bsNone);
    form->SetBounds(40, 40, 420, 220);
    list = new ui::TListView(form.get());
    list->SetBounds(10, 10, 400, 200);
    list->SetViewStyle(ui::vsReport);
    list->SetGridLines(true);
    list->SetRowSelect(true);
    list->SetReadOnly(true);
    list->SetCheckboxes(true);
    const std::pair<const char*, ui::TAlignment> columns[] = {
        {"File name", ui::taLeftJustify}, {"Duration", ui::taRightJustify}, {"File size", ui::taRightJustify}};
    for (auto [caption, alignment] : columns) {
      ui::TListColumn* column = list->Columns().Add();
      column->SetCaption(caption);
      column->SetWidth(120);
      column->SetAlignment(alignment);
    }
    Add("b.mp3", "10:05", "2 KB");
    Add("a.wav", "02:30", "900 Bytes");
    Add("c.ogg", "01:00:00", "1 MB");
    list->SetParent(form.get());
    form->Show();
    Pump();
  }

  void Add(const char* name, const char* duration, const char* size) {
    ui::TListItem* item = list->Items().Add();
    item->SetCaption(name);
    item->SubItems().Add(duration);
    item->SubItems().Add(size);
  }

  // The text the window shows in a cell.
  std::string Cell(int row, int column) {
    char text[64] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list->Handle(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
  }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> texts;
    const int rows = static_cast<int>(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) texts.push_back(Cell(row, column));
    return texts;
  }
  // Press and release go together: the list view's press waits in a loop of its own for the
  // release (or a drag), which must already be in the queue.
  void PostClick(HWND wnd, POINT p) {
    PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, testkit::At(p.x, p.y));
    PostMessageA(wnd, WM_LBUTTONUP, 0, testkit::At(p.x, p.y));
    Pump();
  }

  std::unique_ptr<ui::TForm> form = std::make_unique<ui::TForm>(nullptr);
  ui::TListView* list = nullptr;
};

// Sort keys as the program's columns want them: durations and sizes by their value.
long long Seconds(const std::string& duration) {
  long long total = 0;
  for (size_t start = 0; start <= duration.size();) {
    size_t colon = duration.find(':', start);
    total = total * 60 + std::atoll(duration.substr(start, colon - start).c_str());
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  return total;
}
long long Bytes(const std::string& size) {
  const long long number = std::atoll(size.c_str());
  if (size.find("MB") != std::string::npos) return number << 20;
  if (size.find("KB") != std::string::npos) return number << 10;
  return number;
}

}  // namespace

TEST_F(PlayList, RowsAndCellsShowInTheirColumns) {
  EXPECT_EQ(Column(0), (std::vector<std::string>{"b.mp3", "a.wav", "c.ogg"}));
  EXPECT_EQ(Column(2), (std::vector<std::string>{"2 KB", "900 Bytes", "1 MB"}));
  list->Items()[1]->SubItems().SetString(0, "02:31");
  EXPECT_EQ(Cell(1, 1), "02:31");
  LVCOLUMNA column{};
  column.mask = LVCF_FMT;
  SendMessageA(list->Handle(), LVM_GETCOLUMNA, 2, reinterpret_cast<LPARAM>(&column));
  EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
}

TEST_F(PlayList, ClicksToggleCheckBoxesSelectRowsAndAreReported) {
  std::vector<std::string> reported;
  list->OnChange = [&](ui::TComponent*, ui::TListItem* item, ui::TItemChange change) {
    if (change == ui::ctState) reported.push_back(item->Caption() + (item->Checked() ? " on" : " off"));
  };
  RECT row{LVIR_BOUNDS, 0, 0, 0};
  SendMessageA(list->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  PostClick(list->Handle(), {row.left + 8, (row.top + row.bottom) / 2});
  EXPECT_TRUE(list->Items()[1]->Checked());
  EXPECT_FALSE(list->Items()[0]->Checked());
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported.front(), "a.wav on");
  list->Items()[2]->SetChecked(true);
  EXPECT_TRUE(list->Items()[2]->Checked());

  // A click on the row's text selects it; a double click is told too.
  std::vector<std::string> selected;
  list->OnSelectItem = [&](ui::TComponent*, ui::TListItem* item, bool on) {
    if (on) selected.push_back(item->Caption());
  };
  int doubleClicks = 0;
  list->OnDblClick = [&](ui::TComponent*) { ++doubleClicks; };
  PostClick(list->Handle(), {row.left + 60, (row.top + row.bottom) / 2});
  EXPECT_EQ(selected, (std::vector<std::string>{"a.wav"}));
  EXPECT_EQ(list->Selected(), list->Items()[1]);
  PostMessageA(list->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, testkit::At(row.left + 60, row.top + 3));
  PostMessageA(list->Handle(), WM_LBUTTONUP, 0, testkit::At(row.left + 60, row.top + 3));
  Pump();
  EXPECT_EQ(doubleClicks, 1);
}

TEST_F(PlayList, AColumnClickSortsByThatColumnsValues) {
  list->OnColumnClick = [&](ui::TComponent*, ui::TListColumn* column) {
    const int index = column->Index();
    list->CustomSort([index](ui::TListItem* a, ui::TListItem* b) {
      if (index == 0) return ui::CompareTextIgnoringCase(a->Caption(), b->Caption());
      const std::string& x = a->SubItems()[index - 1];
      const std::string& y = b->SubItems()[index - 1];
      const long long kx = index == 1 ? Seconds(x) : Bytes(x), ky = index == 1 ? Seconds(y) : Bytes(y);
      return kx < ky ? -1 : kx > ky ? 1 : 0;
    });
  };
  list->Items()[0]->SetSelected(true);  // b.mp3
  HWND header = reinterpret_cast<HWND>(SendMessageA(list->Handle(), LVM_GETHEADER, 0, 0));
  auto clickHeader = [&](int column) {
    RECT r;
    SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&r));
    PostClick(header, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  };
  clickHeader(2);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"900 Bytes", "2 KB", "1 MB"}));
  clickHeader(1);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"02:30", "10:05", "01:00:00"}));
  clickHeader(0);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a.wav", "b.mp3", "c.ogg"}));
  // The objects follow the window: the selected row is still b.mp3, now second.
  ASSERT_NE(list->Selected(), nullptr);
  EXPECT_EQ(list->Selected()->Caption(), "b.mp3");
  EXPECT_EQ(list->Selected()->Index(), 1);
  EXPECT_EQ(list->Items()[1], list->Selected());
}

TEST_F(PlayList, CheckMarksSelectionAndWidthsSurviveANewWindow) {
  list->Items()[2]->SetChecked(true);
  list->Items()[1]->SetSelected(true);
  ListView_SetColumnWidth(list->Handle(), 0, 150);  // as the user's drag leaves it
  HWND before = list->Handle();
  list->SetColumnClick(false);
  EXPECT_NE(list->Handle(), before);
  EXPECT_TRUE(list->Items()[2]->Checked());
  EXPECT_FALSE(list->Items()[0]->Checked());
  EXPECT_EQ(list->Selected(), list->Items()[1]);
  EXPECT_EQ(list->Columns()[0]->Width(), 150);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"b.mp3", "a.wav", "c.ogg"}));
}

TEST_F(PlayList, WithoutColumnHeadersTheRowsMoveUpToTheTop) {
  RECT withHeaders{};
  ListView_GetItemRect(list->Handle(), 0, &withHeaders, LVIR_BOUNDS);
  list->SetShowColumnHeaders(false);  // a new window
  RECT without{};
  ListView_GetItemRect(list->Handle(), 0, &without, LVIR_BOUNDS);
  EXPECT_GT(withHeaders.top, without.top + 10) << "the header's room is given to the rows";
  EXPECT_EQ(FindWindowExA(list->Handle(), nullptr, WC_HEADERA, nullptr) != nullptr &&
                IsWindowVisible(FindWindowExA(list->Handle(), nullptr, WC_HEADERA, nullptr)),
            false);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"b.mp3", "a.wav", "c.ogg"}));
}

TEST_F(PlayList, DoubleBufferedRowsAreDrawnWithTheCustomDrawColours) {
  list->SetDoubleBuffered(true);
  std::vector<std::string> drawnRows;
  list->OnCustomDrawItem = [&](ui::TCustomListView* sender, ui::TListItem* item, ui::TCustomDrawState, bool&) {
    drawnRows.push_back(item->Caption());
    if (item->Index() == 2) sender->Canvas().Brush().SetColor(ui::clYellow);
  };
  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Pump();
  EXPECT_EQ(drawnRows, (std::vector<std::string>{"b.mp3", "a.wav", "c.ogg"}));
  auto shot = testkit::Capture(*list);
  testkit::SavePicture(*shot, "list_view_report");
  RECT row{LVIR_LABEL, 0, 0, 0};
  SendMessageA(list->Handle(), LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
  EXPECT_EQ(shot->Pixel(row.right - 3, (row.top + row.bottom) / 2), ui::clYellow);
  EXPECT_EQ(shot->Pixel(row.right - 3, row.bottom + 3), ui::ColorToRGB(ui::clWindow));
}
