// Menus over HMENU: short cut texts, the native menu built from the items (owner-drawn or not),
// commands, short cuts, measuring and drawing through the items' events, and items that go.
#include <gtest/gtest.h>

#include "Bitmap.h"
#include "Menus.h"

namespace {

using namespace ui;

TEST(MenuShortCuts, AreWrittenWithTheirModifiers) {
  EXPECT_EQ(ShortCutToText(ShortCut('S', ssCtrl)), "Ctrl+S");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_F5, ssShift | ssCtrl)), "Shift+Ctrl+F5");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, 0)), "Del");
  EXPECT_EQ(ShortCutToText(ShortCut('4', ssAlt)), "Alt+4");
  EXPECT_EQ(ShortCutToText(0), "");
}

struct FileMenu {
  FileMenu() {
    file = Add(menu.Items(), "&File");
    open = Add(*file, "&Open");
    open->SetShortCut(VK_F3);
    Add(*file, "-");
    quit = Add(*file, "E&xit");
    quit->SetDefault(true);
    help = Add(menu.Items(), "&Help");
    about = Add(*help, "About");
    about->SetChecked(true);
    about->SetShortCut(VK_F1);
    for (TMenuItem* item : menu.AllItems()) item->OnClick = [this](TComponent* s) { clicked.push_back(s); };
  }
  TMenuItem* Add(TMenuItem& parent, const char* caption) {
    auto* item = new TMenuItem(&menu);
    item->SetCaption(caption);
    parent.Add(item);
    return item;
  }
  TPopupMenu menu{nullptr};
  TMenuItem *file, *open, *quit, *help, *about;
  std::vector<TComponent*> clicked;
};

MENUITEMINFOA ItemInfo(HMENU menu, UINT position) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA | MIIM_ID | MIIM_SUBMENU;
  EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info));
  return info;
}

TEST(MenuBuilding, ItemsBecomeANativeMenuWithTheirStates) {
  FileMenu m;
  HMENU root = m.menu.Handle();
  ASSERT_EQ(GetMenuItemCount(root), 2);
  EXPECT_EQ(ItemInfo(root, 0).hSubMenu, m.file->Handle());
  ASSERT_EQ(GetMenuItemCount(m.file->Handle()), 3);
  EXPECT_EQ(ItemInfo(m.file->Handle(), 1).fType & MFT_SEPARATOR, static_cast<UINT>(MFT_SEPARATOR));
  EXPECT_EQ(GetMenuDefaultItem(m.file->Handle(), FALSE, 0), m.quit->Command());
  EXPECT_TRUE(ItemInfo(m.help->Handle(), 0).fState & MFS_CHECKED);
  char text[64] = {};
  GetMenuStringA(m.file->Handle(), 0, text, sizeof(text), MF_BYPOSITION);
  EXPECT_STREQ(text, "&Open\tF3");

  m.open->SetEnabled(false);
  EXPECT_TRUE(ItemInfo(m.file->Handle(), 0).fState & MFS_GRAYED);

  m.menu.SetOwnerDraw(true);
  const MENUITEMINFOA drawn = ItemInfo(m.file->Handle(), 0);
  EXPECT_TRUE(drawn.fType & MFT_OWNERDRAW);
  EXPECT_EQ(drawn.dwItemData, m.open->Command());
}

TEST(MenuCommands, ClickTheirItemAndAGoneItemClicksNothing) {
  FileMenu m;
  m.menu.Handle();
  TMessage command{WM_COMMAND, m.quit->Command(), 0, 0};
  EXPECT_TRUE(DispatchMenuMessage(command));
  ASSERT_EQ(m.clicked.size(), 1u);
  EXPECT_EQ(m.clicked[0], m.quit);

  const UINT gone = m.open->Command();
  delete m.open;
  EXPECT_EQ(GetMenuItemCount(m.file->Handle()), 2);
  TMessage stale{WM_COMMAND, gone, 0, 0};
  EXPECT_FALSE(DispatchMenuMessage(stale));
  EXPECT_EQ(m.clicked.size(), 1u);
}

TEST(MenuShortCuts, ClickOnlyEnabledItemsUnderEnabledParents) {
  FileMenu m;
  TMessage f3{WM_KEYDOWN, VK_F3, 0, 0};
  EXPECT_TRUE(m.menu.IsShortCut(f3));
  ASSERT_EQ(m.clicked.size(), 1u);
  m.open->SetEnabled(false);
  EXPECT_FALSE(m.menu.IsShortCut(f3));
  m.help->SetEnabled(false);
  TMessage f1{WM_KEYDOWN, VK_F1, 0, 0};
  EXPECT_FALSE(m.menu.IsShortCut(f1));
  TMessage f7{WM_KEYDOWN, VK_F7, 0, 0};
  EXPECT_FALSE(m.menu.IsShortCut(f7));
  EXPECT_EQ(m.clicked.size(), 1u);
}

TEST(MenuOwnerDraw, ItemsAreMeasuredAndDrawnThroughTheirEvents) {
  FileMenu m;
  m.menu.SetOwnerDraw(true);
  m.open->OnMeasureItem = [](TMenuItem*, TCanvas&, int& width, int& height) {
    width = 120;
    height = 19;
  };
  bool selected = false;
  m.open->OnDrawItem = [&](TMenuItem*, TCanvas& canvas, const RECT& rect, bool isSelected) {
    selected = isSelected;
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(rect);
  };
  MEASUREITEMSTRUCT measure{ODT_MENU, 0, m.open->Command(), 0, 0, m.open->Command()};
  TMessage measuring{WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), 0};
  ASSERT_TRUE(DispatchMenuMessage(measuring));
  EXPECT_EQ(measure.itemWidth, 120u);
  EXPECT_EQ(measure.itemHeight, 19u);

  TBitmap picture(40, 20);
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_MENU;
  draw.itemState = ODS_SELECTED;
  draw.hDC = picture.MemoryDc();
  draw.rcItem = {5, 5, 30, 15};
  draw.itemData = m.open->Command();
  TMessage drawing{WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), 0};
  ASSERT_TRUE(DispatchMenuMessage(drawing));
  EXPECT_TRUE(selected);
  EXPECT_EQ(picture.Pixel(10, 10), clRed);
  EXPECT_EQ(picture.Pixel(2, 2), clBlack);
}

}  // namespace
