// The native tree view and the shell folder tree on the test display: nodes kept with their
// expanded state and the selection across a new window, expansion refused by a handler; the
// folder tree reading a folder only when it opens (a folder of thousands does not read its
// children's children), the path of a real folder and none for a virtual one; the colour dialog
// answered through its seam.
#include <gtest/gtest.h>

#include <objbase.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ColorDialog.h"
#include "ShellTreeView.h"
#include "WindowCapture.h"
#include "WindowInput.h"
#include "WindowTestKit.h"

using testkit::Pump;

namespace {

std::unique_ptr<ui::TForm> MakeForm() {
  auto form = std::make_unique<ui::TForm>(nullptr);
  form->SetBorderStyle(ui::bsNone);
  form->SetBounds(40, 40, 320, 400);
  return form;
}

}  // namespace

TEST(TreeView, NodesKeepTheirStateThroughANewWindowAndHandlersMayRefuse) {
  auto form = MakeForm();
  auto* tree = new ui::TTreeView(form.get());
  tree->SetBounds(10, 10, 300, 380);
  ui::TTreeNode* music = tree->Items().Add(nullptr, "Music");
  ui::TTreeNode* artist = tree->Items().AddChild(music, "Artist");
  ui::TTreeNode* album = tree->Items().AddChild(artist, "Album");
  ui::TTreeNode* locked = tree->Items().Add(music, "Locked");
  locked->SetHasChildren(true);
  tree->SetParent(form.get());
  form->Show();
  Pump();
  std::vector<std::string> changes;
  tree->OnChange = [&](ui::TComponent*, ui::TTreeNode* node) { changes.push_back(node->Text()); };
  tree->OnExpanding = [&](ui::TComponent*, ui::TTreeNode* node, bool& allow) { allow = node != locked; };

  music->Expand(true);
  EXPECT_TRUE(artist->Expanded());
  tree->SetSelected(album);
  EXPECT_EQ(changes, (std::vector<std::string>{"Album"}));
  locked->Expand(false);
  EXPECT_FALSE(locked->Expanded());
  TreeView_Expand(tree->Handle(), locked->ItemId(), TVE_EXPAND);
  EXPECT_FALSE(locked->Expanded());

  tree->SetShowLines(false);
  tree->SetShowButtons(false);
  EXPECT_FALSE(GetWindowLongPtrA(tree->Handle(), GWL_STYLE) & TVS_HASBUTTONS);
  tree->SetShowRoot(false);
  tree->Font().SetHeight(-15);
  tree->SetBorderStyle(ui::bsNone);  // a new window
  EXPECT_FALSE(GetWindowLongPtrA(tree->Handle(), GWL_STYLE) & (TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT));
  tree->SetShowRoot(true);
  EXPECT_TRUE(GetWindowLongPtrA(tree->Handle(), GWL_STYLE) & TVS_LINESATROOT);
  EXPECT_TRUE(music->Expanded());
  EXPECT_TRUE(artist->Expanded());
  EXPECT_EQ(tree->Selected(), album);
  EXPECT_EQ(album->Level(), 2);
  EXPECT_EQ(locked->Index(), 1);
  artist->Delete();  // with the selected album: the selection moves on and says so
  EXPECT_EQ(music->Count(), 0);
  ASSERT_NE(tree->Selected(), nullptr);
  EXPECT_EQ(changes.back(), tree->Selected()->Text());
}

// A folder of thousands of subfolders, made on the Unix side before the test (through Wine
// the folders alone would take seconds); its Windows path comes in TALVO_FOLDER_TREE.
class FolderTree : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* folder = std::getenv("TALVO_FOLDER_TREE");
    if (!folder) GTEST_SKIP() << "TALVO_FOLDER_TREE names no test folder";
    root = folder;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    tree = new ui::TShellTreeView(form.get());
    tree->SetBounds(10, 10, 300, 380);
    tree->SetParent(form.get());
    form->Show();
    Pump();
  }

  static constexpr int kFolders = 2000;
  std::filesystem::path root;
  std::unique_ptr<ui::TForm> form = MakeForm();
  ui::TShellTreeView* tree = nullptr;
};

TEST_F(FolderTree, OpensAtTheDesktopAndReadsAFolderOnlyWhenItOpens) {
  ui::TTreeNode* desktop = tree->Items().GetFirstNode();
  ASSERT_NE(desktop, nullptr);
  EXPECT_EQ(tree->Items().Count(), 1);
  EXPECT_TRUE(desktop->Expanded());
  EXPECT_GT(desktop->Count(), 0);
  for (int i = 0; i < desktop->Count(); ++i) EXPECT_EQ(desktop->Item(i)->Count(), 0);  // not read yet

  ASSERT_TRUE(tree->SetPath((root / "big").string()));
  EXPECT_EQ(tree->Path(), (root / "big").string());
  ui::TTreeNode* big = tree->Selected();
  ASSERT_NE(big, nullptr);
  big->Expand(false);
  ASSERT_EQ(big->Count(), kFolders);
  int read = 0;
  for (int i = 0; i < big->Count(); ++i) {
    read += big->Item(i)->Count();
    EXPECT_TRUE(big->Item(i)->HasChildren());
  }
  EXPECT_EQ(read, 0);  // the thousands below were not read

  ui::TTreeNode* empty = big->Item(0);  // "folder 0"
  empty->Expand(false);
  EXPECT_FALSE(empty->HasChildren());
  ASSERT_TRUE(tree->SetPath((root / "big" / "folder 7" / "inside").string()));
  EXPECT_EQ(tree->Selected()->Text(), "inside");
  RedrawWindow(tree->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  testkit::SavePicture(*testkit::Capture(*tree), "folder_tree");

  // Desktop, My Computer, the drive: the drive has a path, My Computer none.
  ui::TTreeNode* drive = tree->Selected();
  while (drive->Level() > 2) drive = drive->Parent();
  tree->SetSelected(drive);
  EXPECT_EQ(tree->Path(), root.root_path().string());
  tree->SetSelected(drive->Parent());
  EXPECT_EQ(tree->Path(), "");
}

TEST(ColorDialog, TheAnswerComesBackThroughTheSeam) {
  ui::TColorDialog dialog(nullptr);
  dialog.SetColor(ui::clNavy);
  dialog.CustomColors().Add("ColorA=00123456");
  COLORREF offered = 0, customOffered = 0;
  ui::Application().ChooseColorSink = [&](CHOOSECOLORA& choose) {
    offered = choose.rgbResult;
    customOffered = choose.lpCustColors[0];
    choose.rgbResult = RGB(1, 2, 3);
    return true;
  };
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(offered, 0x800000u);
  EXPECT_EQ(customOffered, 0x123456u);
  EXPECT_EQ(dialog.Color(), static_cast<ui::TColor>(RGB(1, 2, 3)));
  EXPECT_EQ(dialog.CustomColors()[0], "ColorA=00123456");
  ui::Application().ChooseColorSink = [](CHOOSECOLORA&) { return false; };
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.Color(), static_cast<ui::TColor>(RGB(1, 2, 3)));
  ui::Application().ChooseColorSink = nullptr;
}
