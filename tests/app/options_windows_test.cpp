// The options dialog and the folder selection through posted clicks and keys on the real
// windows: "Ok" saves and applies (a time-out that is not a number is refused before anything
// is written), "Cancel" leaves the file and the applied settings alone, Enter presses the
// focused button (in the edit dialog too) and from a text box "Ok", Tab into a text box selects
// its text, the VBR controls follow their check box, the output folder's "..." is level with its
// box and the naming list drops down all ten schemes, and the folder selection ends a folder in
// one backslash and refuses virtual folders. Pictures of every page and of the folder selection
// go under the build folder.
#include "AppWindowsTest.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "WindowTestKit.h"

namespace {

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The test display has no window manager: the X focus that a closed drop-down list gives back
// can reach the desktop a moment later, even in a later test, and the dialog is left inactive.
// Before a key is pressed the dialog is brought to the front again, as a user's click would.
void PressKeyOn(ui::TForm& form, WORD key, ui::TShiftState shift = 0) {
  if (GetForegroundWindow() != form.Handle()) SetForegroundWindow(form.Handle());
  testkit::WaitUntil([&] { return GetForegroundWindow() == form.Handle() && GetFocus(); }, 1000);
  testkit::PressKey(key, shift);
}

// Presses Enter on the form; when it answers nothing, the form gets an answer the test can
// tell apart, so that no test waits for ever on a dialog that stayed open.
void PressEnterToAnswer(ui::TForm& form) {
  PressKeyOn(form, VK_RETURN);
  if (form.ModalResult() == ui::mrNone) form.SetModalResult(ui::mrIgnore);
}

// Presses Tab on the form until control has the focus, as a user reaches it.
void TabTo(ui::TForm& form, ui::TWinControl& control) {
  for (int i = 0; i < 20 && !control.Focused(); ++i) PressKeyOn(form, VK_TAB);
  ASSERT_TRUE(control.Focused()) << control.Name();
}

class OptionsWindows : public AppWindowsTest {
 protected:
  // The name of the control with the focus; "strip" for the pages' tab strip.
  std::string FocusedName() const {
    ui::TWinControl* focused = ui::TWinControl::FindControl(GetFocus());
    if (focused == &option_->kivPageControl->Strip()) return "strip";
    return focused ? focused->Name() : "";
  }
};

}  // namespace

TEST_F(OptionsWindows, OkRefusesATimeOutThatIsNoNumberThenSavesAndAppliesEverything) {
  Open({"audio 2:00", "audio 3:00"});
  const std::string settings = context_.Shared.SettingsPath();
  EXPECT_EQ(context_.Shared.NamingScheme, 2);
  EXPECT_EQ(main_->lbOutputPath->Caption(), "Output Path:  " + Output());

  bool refusedBeforeWriting = false;
  std::string refusalText;
  testkit::ModalAnswer dialog([&](ui::TForm&) {
    for (kiv::TkivTabSheet* page : {option_->tbsOutput, option_->tbsFreeDB, option_->tbsOgg, option_->tbsMp3}) {
      option_->kivPageControl->SetActivePage(page);
      testkit::Pump();
      testkit::CaptureAndSave(*option_, "app_options_" + page->Name());
    }
    option_->cmbFilename->SetItemIndex(7);
    option_->edtFreeDBTimeOut->SetText("7 seconds");
    testkit::ModalAnswer refusal(IDOK);
    testkit::Click(*option_->bOk);
    refusalText = refusal.Seen();
    refusedBeforeWriting = refusal.Answered() && option_->Visible() &&
                           GetFileAttributesA(settings.c_str()) == INVALID_FILE_ATTRIBUTES &&
                           context_.Shared.NamingScheme == 2;
    option_->edtFreeDBTimeOut->SetText("9000");
    testkit::Click(*option_->bOk);
  });
  testkit::Click(*main_->bOption);
  ASSERT_TRUE(dialog.Answered());
  EXPECT_TRUE(refusedBeforeWriting);
  EXPECT_NE(refusalText.find("FreeDB TimeOut"), std::string::npos) << refusalText;
  EXPECT_FALSE(option_->Visible());
  EXPECT_EQ(context_.Shared.NamingScheme, 7);
  EXPECT_EQ(context_.Shared.CddbTimeOut, 9000);
  const std::string text = FileText(settings);
  EXPECT_NE(text.find("FreeDBTimeOut=9000\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("RipperOutputPath=" + Output() + "\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("FileName=7\r\n"), std::string::npos) << text;
  // "Add 'new'" is the run's choice only.
  EXPECT_EQ(text.find("new"), std::string::npos) << text;

  // Cancel: neither the file nor the applied settings change; the controls keep the change.
  testkit::ModalAnswer cancel([&](ui::TForm&) {
    option_->cmbFilename->SetItemIndex(0);
    testkit::Click(*option_->chkMp3VBR);
    EXPECT_TRUE(option_->cmbMp3MaxBitrate->Enabled());
    EXPECT_TRUE(option_->chkMp3WriteVBRHeader->Enabled());
    testkit::Click(*option_->bCancel);
  });
  testkit::Click(*main_->bOption);
  ASSERT_TRUE(cancel.Answered());
  EXPECT_EQ(FileText(settings), text);
  EXPECT_EQ(context_.Shared.NamingScheme, 7);
  EXPECT_EQ(option_->cmbFilename->ItemIndex(), 0);
}

TEST_F(OptionsWindows, TheBrowseButtonIsLevelWithItsBoxAndTheNamingListDropsDownEveryScheme) {
  Open({"audio 2:00"});
  int shownRows = 0, schemes = 0;
  testkit::ModalAnswer dialog([&](ui::TForm&) {
    testkit::Click(*option_->cmbFilename);
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof combo;
    GetComboBoxInfo(option_->cmbFilename->Handle(), &combo);
    if (testkit::WaitUntil([&] { return IsWindowVisible(combo.hwndList) != FALSE; }, 5000)) {
      schemes = static_cast<int>(SendMessageA(combo.hwndList, LB_GETCOUNT, 0, 0));
      RECT list{}, last{};
      GetClientRect(combo.hwndList, &list);
      SendMessageA(combo.hwndList, LB_GETITEMRECT, schemes - 1, reinterpret_cast<LPARAM>(&last));
      const int row = static_cast<int>(SendMessageA(combo.hwndList, LB_GETITEMHEIGHT, 0, 0));
      shownRows = SendMessageA(combo.hwndList, LB_GETTOPINDEX, 0, 0) == 0 && last.bottom <= list.bottom
                      ? schemes
                      : list.bottom / std::max(row, 1);
    }
    SendMessageA(option_->cmbFilename->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    testkit::CaptureAndSave(*option_, "app_options_output_page");
    testkit::Click(*option_->bCancel);
  });
  testkit::Click(*main_->bOption);
  ASSERT_TRUE(dialog.Answered());
  EXPECT_EQ(schemes, 10);
  EXPECT_EQ(shownRows, 10) << "rows shown of the ten schemes";
  EXPECT_EQ(option_->bSetOutput->Height(), option_->edtOutput->Height());
  EXPECT_EQ(option_->bSetOutput->Top(), option_->edtOutput->Top());
  EXPECT_GE(option_->bSetOutput->Left(), option_->edtOutput->BoundsRect().right);
}

TEST_F(OptionsWindows, AChosenFolderEndsInOneBackslashAndVirtualFoldersAndCancelChangeNothing) {
  Open({"audio 2:00"});
  const std::string chosen = ScratchFolder() + "chosen";
  CreateDirectoryA(chosen.c_str(), nullptr);

  // My Computer has no path: refused, the dialog stays; then a real folder is taken.
  bool refused = false;
  testkit::ModalAnswer select([&](ui::TForm&) {
    ui::TShellTreeView& tree = *pathSelect_->ShellTreeView1;
    ASSERT_TRUE(tree.SetPath(chosen));
    ui::TTreeNode* node = tree.Selected();
    while (node->Level() > 1) node = node->Parent();
    tree.SetSelected(node);
    testkit::ModalAnswer refusal(IDOK);
    testkit::Click(*pathSelect_->btnOk);
    refused = refusal.Answered() && pathSelect_->Visible();
    tree.SetPath(chosen);
    testkit::Pump();
    testkit::CaptureAndSave(*pathSelect_, "app_path_select");
    testkit::Click(*pathSelect_->btnOk);
  });
  // The options dialog's "..." (the dialog itself need not be open for its handler).
  option_->bSetOutputClick(option_->bSetOutput);
  ASSERT_TRUE(select.Answered());
  EXPECT_TRUE(refused);
  EXPECT_EQ(pathSelect_->Result, chosen + "\\");
  EXPECT_EQ(option_->edtOutput->Text(), chosen + "\\");
  // The test file is gone again.
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA((chosen + "\\*").c_str(), &found);
  int entries = 0;
  if (search != INVALID_HANDLE_VALUE) {
    do ++entries;
    while (FindNextFileA(search, &found));
    FindClose(search);
  }
  EXPECT_EQ(entries, 2);  // "." and ".."

  testkit::ModalAnswer cancel([&](ui::TForm&) { testkit::Click(*pathSelect_->btnCancel); });
  option_->bSetOutputClick(option_->bSetOutput);
  ASSERT_TRUE(cancel.Answered());
  EXPECT_EQ(pathSelect_->Result, "");
  EXPECT_EQ(option_->edtOutput->Text(), chosen + "\\");
  EXPECT_FALSE(app::FolderTakesNewFile(ScratchFolder() + "no such folder\\"));
}

TEST_F(OptionsWindows, OpensWithItsFirstPageInFrontAndTabKeepsToThePageShown) {
  Open({"audio 2:00"});
  ui::TWinControl* shownAtOutputEdit = nullptr;
  std::vector<std::string> tabbed;
  testkit::ModalAnswer dialog([&](ui::TForm&) {
    // The pages stay shown behind the front one: what lies at the output edit is what shows.
    POINT point{option_->edtOutput->Width() / 2, option_->edtOutput->Height() / 2};
    ClientToScreen(option_->edtOutput->Handle(), &point);
    shownAtOutputEdit = ui::TWinControl::FindControl(WindowFromPoint(point));
    option_->rbOverwrite->SetFocus();
    for (int i = 0; i < 4; ++i) {
      testkit::PressKey(VK_TAB);
      tabbed.push_back(FocusedName());
    }
    testkit::Click(*option_->bCancel);
  });
  testkit::Click(*main_->bOption);
  ASSERT_TRUE(dialog.Answered());
  EXPECT_EQ(shownAtOutputEdit, option_->edtOutput);
  EXPECT_EQ(tabbed, (std::vector<std::string>{"bOk", "bCancel", "strip", "edtOutput"}));
}

TEST_F(OptionsWindows, TheFolderSelectionKeepsItsTreeAboveItsButtonsAsItIsSized) {
  Open({"audio 2:00"});
  testkit::ModalAnswer select([&](ui::TForm& form) {
    app::TfrmPathSelect& dialog = *pathSelect_;
    const auto gap = [&] { return dialog.btnOk->Top() - dialog.ShellTreeView1->BoundsRect().bottom; };
    const auto rightMargin = [&] { return dialog.kivForm->ClientWidth() - dialog.btnCancel->BoundsRect().right; };
    EXPECT_EQ(gap(), 10);
    const int margin = rightMargin(), treeWidth = dialog.ShellTreeView1->Width();
    form.SetBounds(form.Left(), form.Top(), form.Width() + 120, form.Height() + 80);
    testkit::Pump();
    EXPECT_EQ(gap(), 10);
    EXPECT_EQ(rightMargin(), margin);
    EXPECT_EQ(dialog.ShellTreeView1->Width(), treeWidth + 120);
    testkit::Click(*dialog.btnCancel);
  });
  option_->bSetOutputClick(option_->bSetOutput);
  ASSERT_TRUE(select.Answered());
}

TEST_F(OptionsWindows, EnterAndEscapeAnswerTheDialogsAsTheirButtonsDo) {
  Open({"audio 2:00"});
  // A key that answers nothing leaves the dialog to an answer the test can tell apart.
  const auto press = [](WORD key) {
    return [key](ui::TForm& form) {
      testkit::PressKey(key);
      if (form.ModalResult() == ui::mrNone) form.SetModalResult(ui::mrIgnore);
    };
  };
  testkit::ModalAnswer escape(press(VK_ESCAPE));
  testkit::Click(*main_->bOption);
  ASSERT_TRUE(escape.Answered());
  EXPECT_EQ(option_->ModalResult(), ui::mrCancel);
  EXPECT_EQ(GetFileAttributesA(context_.Shared.SettingsPath().c_str()), INVALID_FILE_ATTRIBUTES);

  // Enter in the year box takes the edit as "Ok" does.
  main_->lvCD->Items()[0]->SetSelected(true);
  testkit::ModalAnswer enter([&](ui::TForm& form) {
    edit_->edtYear->SetFocus();
    edit_->edtYear->SetText("1999");
    press(VK_RETURN)(form);
  });
  testkit::Click(*main_->btnEdit);
  ASSERT_TRUE(enter.Answered());
  EXPECT_EQ(context_.Tracks.TrackYears[0], "1999");
}

// The focused push button is the default button while it has the focus: Enter on "Cancel"
// cancels and on "..." opens the folder selection; only from a text box does Enter mean "Ok".
// Tab into a text box selects its text, so that typing replaces the old value.
TEST_F(OptionsWindows, EnterPressesTheFocusedButtonAndFromATextBoxTheDefaultOne) {
  Open({"audio 2:00"});
  const std::string settings = context_.Shared.SettingsPath();
  std::string folderDialog;
  testkit::ModalAnswer cancelled([&](ui::TForm& form) {
    option_->kivPageControl->SetActivePage(option_->tbsFreeDB);
    option_->edtFreeDBCgi->SetFocus();
    TabTo(form, *option_->edtFreeDBTimeOut);
    testkit::TypeText("9000");
    EXPECT_EQ(option_->edtFreeDBTimeOut->Text(), "9000");
    TabTo(form, *option_->bCancel);
    testkit::CaptureAndSave(*option_, "app_options_cancel_focused");
    PressEnterToAnswer(form);
  });
  testkit::Click(*main_->bOption);
  ASSERT_TRUE(cancelled.Answered());
  EXPECT_EQ(option_->ModalResult(), ui::mrCancel);
  EXPECT_FALSE(option_->Visible());
  EXPECT_EQ(GetFileAttributesA(settings.c_str()), INVALID_FILE_ATTRIBUTES) << "Cancel saved";
  EXPECT_EQ(context_.Shared.CddbTimeOut, 7000);

  testkit::ModalAnswer saved([&](ui::TForm& form) {
    option_->kivPageControl->SetActivePage(option_->tbsOutput);
    option_->edtOutput->SetFocus();
    TabTo(form, *option_->bSetOutput);
    testkit::ModalAnswer select([&](ui::TForm& dialog) {
      folderDialog = dialog.Caption();
      testkit::Click(*pathSelect_->btnCancel);
    });
    PressKeyOn(form, VK_RETURN);
    EXPECT_TRUE(select.Answered()) << "Enter on \"...\" opened no folder selection";
    EXPECT_EQ(form.ModalResult(), ui::mrNone);
    EXPECT_TRUE(form.Visible());
    option_->kivPageControl->SetActivePage(option_->tbsFreeDB);
    option_->edtFreeDBCgi->SetFocus();
    TabTo(form, *option_->edtFreeDBTimeOut);
    testkit::TypeText("8000");
    PressEnterToAnswer(form);
  });
  testkit::Click(*main_->bOption);
  ASSERT_TRUE(saved.Answered());
  EXPECT_EQ(folderDialog, "Path Select");
  EXPECT_EQ(option_->ModalResult(), ui::mrOk);
  EXPECT_NE(FileText(settings).find("FreeDBTimeOut=8000\r\n"), std::string::npos) << FileText(settings);
  EXPECT_EQ(context_.Shared.CddbTimeOut, 8000);

  // "Edit Audio Information": Enter on the focused "Cancel" stores nothing; typed into the
  // year box reached by Tab, a new year replaces the old one.
  main_->lvCD->Items()[0]->SetSelected(true);
  const std::string title = context_.Tracks.TrackTitles[0];
  testkit::ModalAnswer editCancelled([&](ui::TForm& form) {
    edit_->edtAlbum->SetFocus();
    TabTo(form, *edit_->edtTitle);
    testkit::TypeText("Typed title");
    EXPECT_EQ(edit_->edtTitle->Text(), "Typed title");
    // In every style the focus mark shows which button Enter presses.
    edit_->kivForm->SetUIStyleAutoUpdateSub(true);
    for (int style = 1; style <= 5; ++style) {
      edit_->kivForm->SetUIStyle(static_cast<kiv::TkivUIStyle>(style));
      TabTo(form, *edit_->bOK);
      const auto unfocused = testkit::CaptureWindow(*edit_->bCancel);
      TabTo(form, *edit_->bCancel);
      EXPECT_FALSE(testkit::PicturesMatch(*testkit::CaptureWindow(*edit_->bCancel), *unfocused)) << style;
      testkit::CaptureAndSave(*edit_, "app_edit_cancel_focused_style" + std::to_string(style));
    }
    edit_->kivForm->SetUIStyle(kiv::TkivUIStyle::MacOS);
    PressEnterToAnswer(form);
  });
  testkit::Click(*main_->btnEdit);
  ASSERT_TRUE(editCancelled.Answered());
  EXPECT_EQ(edit_->ModalResult(), ui::mrCancel);
  EXPECT_FALSE(edit_->Visible());
  EXPECT_EQ(context_.Tracks.TrackTitles[0], title);

  testkit::ModalAnswer editSaved([&](ui::TForm& form) {
    edit_->edtArtist->SetFocus();
    TabTo(form, *edit_->edtYear);
    testkit::TypeText("1998");
    PressEnterToAnswer(form);
  });
  testkit::Click(*main_->btnEdit);
  ASSERT_TRUE(editSaved.Answered());
  EXPECT_EQ(context_.Tracks.TrackYears[0], "1998");
}

TEST_F(OptionsWindows, EnterAndEscapeInAnOpenListCloseOnlyTheList) {
  Open({"audio 2:00"});
  // F4 opens the focused list and Down moves in it: Escape drops that item, Enter takes it,
  // and each closes the list only.
  const auto keysOnOpenList = [](ui::TForm& form, kiv::TkivComboBox& list) {
    list.SetFocus();
    ASSERT_TRUE(testkit::WaitUntil([&] { return list.Focused(); })) << list.Name();
    const int before = list.ItemIndex();
    for (WORD key : {VK_ESCAPE, VK_RETURN}) {
      PressKeyOn(form, VK_F4);
      EXPECT_TRUE(list.DroppedDown()) << list.Name();
      PressKeyOn(form, VK_DOWN);
      PressKeyOn(form, key);
      EXPECT_FALSE(list.DroppedDown()) << list.Name() << " key " << key;
      EXPECT_EQ(form.ModalResult(), ui::mrNone) << list.Name() << " key " << key;
      EXPECT_TRUE(form.Visible());
    }
    EXPECT_EQ(list.ItemIndex(), before + 1) << list.Name();
  };
  testkit::ModalAnswer options([&](ui::TForm& form) {
    keysOnOpenList(form, *option_->cmbMp3MinBitrate);
    keysOnOpenList(form, *option_->cmbFilename);
    testkit::Click(*option_->bCancel);
  });
  testkit::Click(*main_->bOption);
  ASSERT_TRUE(options.Answered());
  EXPECT_EQ(GetFileAttributesA(context_.Shared.SettingsPath().c_str()), INVALID_FILE_ATTRIBUTES);

  main_->lvCD->Items()[0]->SetSelected(true);
  testkit::ModalAnswer edit([&](ui::TForm& form) {
    keysOnOpenList(form, *edit_->cmbCategory);
    testkit::Click(*edit_->bCancel);
  });
  testkit::Click(*main_->btnEdit);
  ASSERT_TRUE(edit.Answered());
  EXPECT_EQ(context_.Tracks.TrackGenres[0], "1");
}

TEST_F(OptionsWindows, CtrlTabAndCtrlPageKeysTurnThePagesAndTheTabStripsArrowsDoToo) {
  Open({"audio 2:00"});
  std::vector<std::string> seen;
  testkit::ModalAnswer dialog([&](ui::TForm& form) {
    const auto key = [&](WORD key, ui::TShiftState shift = 0) {
      PressKeyOn(form, key, shift);
      seen.push_back(option_->kivPageControl->ActivePage()->Name() + " " + FocusedName());
    };
    // The focus on a page goes to the first control of the page turned to.
    option_->edtOutput->SetFocus();
    key(VK_TAB, ui::ssCtrl);
    key(VK_NEXT, ui::ssCtrl);
    key(VK_PRIOR, ui::ssCtrl);
    key(VK_TAB, ui::ssCtrl | ui::ssShift);
    key(VK_TAB, ui::ssCtrl | ui::ssShift);  // round past the first page
    // Off the pages the focus stays where it is.
    option_->bCancel->SetFocus();
    key(VK_NEXT, ui::ssCtrl);
    // Tab reaches the strip after the buttons; its arrows turn the pages, up to the last.
    key(VK_TAB);
    key(VK_RIGHT);
    key(VK_DOWN);
    key(VK_RIGHT);
    key(VK_RIGHT);
    key(VK_LEFT);
    testkit::CaptureAndSave(*option_, "app_options_strip_focused");
    testkit::Click(*option_->bCancel);
  });
  testkit::Click(*main_->bOption);
  ASSERT_TRUE(dialog.Answered());
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "tbsFreeDB cmbFreeDBServer", "tbsOgg cmbOggBitrate", "tbsFreeDB cmbFreeDBServer",
                      "tbsOutput edtOutput", "tbsMp3 cmbMp3MinBitrate", "tbsOutput bCancel", "tbsOutput strip",
                      "tbsFreeDB strip", "tbsOgg strip", "tbsMp3 strip", "tbsMp3 strip", "tbsOgg strip"}));
}

TEST_F(OptionsWindows, TheRadioButtonsAreOneTabStopWhoseArrowsMoveTheChoice) {
  Open({"audio 2:00"});
  std::vector<std::string> seen;
  testkit::ModalAnswer dialog([&](ui::TForm& form) {
    const auto key = [&](WORD key, ui::TShiftState shift = 0) {
      PressKeyOn(form, key, shift);
      seen.push_back(FocusedName() + (option_->rbAddNew->Checked() ? " addNew" : "") +
                     (option_->rbOverwrite->Checked() ? " overwrite" : ""));
    };
    option_->cmbFilename->SetFocus();
    key(VK_TAB);
    key(VK_TAB);
    key(VK_TAB, ui::ssShift);
    key(VK_DOWN);
    key(VK_TAB);
    key(VK_TAB, ui::ssShift);
    key(VK_UP);
    key(VK_UP);  // round past the first
    testkit::Click(*option_->bCancel);
  });
  testkit::Click(*main_->bOption);
  ASSERT_TRUE(dialog.Answered());
  EXPECT_EQ(seen, (std::vector<std::string>{"rbAddNew addNew", "bOk addNew", "rbAddNew addNew",
                                            "rbOverwrite overwrite", "bOk overwrite", "rbOverwrite overwrite",
                                            "rbAddNew addNew", "rbOverwrite overwrite"}));
}
