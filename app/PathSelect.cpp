#include "PathSelect.h"

#include <windows.h>

#include "Application.h"
#include "FormPlacing.h"

namespace app {

TfrmPathSelect::TfrmPathSelect(ui::TComponent* AOwner, AppContext& context)
    : TAppForm(AOwner, context, "frmPathSelect", "Path Select", 360, 400, kiv::TkivUIStyle::MacOS, ui::bsSizeable) {
  context.frmPathSelect = this;
  ui::TLayoutLoading loading(*this);
  ui::TSizeConstraints limits = Constraints();
  limits.MaxWidth = 1024;
  limits.MaxHeight = 715;
  SetConstraints(limits);
  // Inside the skin's frame, below its title bar.
  const int top = kivForm->TitleBar().Height();
  const int width = 360 - 2 * kivForm->BorderWidth();
  const int bottom = 400 - 2 * kivForm->BorderWidth();
  ShellTreeView1 = ui::Create<ui::TShellTreeView>(this);
  ShellTreeView1->SetName("ShellTreeView1");
  ShellTreeView1->SetParent(kivForm);
  ShellTreeView1->SetBounds(8, top + 8, width - 16, bottom - top - 54);
  ShellTreeView1->SetAnchors(ui::akLeft | ui::akTop | ui::akRight | ui::akBottom);
  btnOk = PlaceButton(*this, kivForm, "btnOk", "Ok", width - 186, bottom - 36, 85);
  btnCancel = PlaceButton(*this, kivForm, "btnCancel", "Cancel", width - 93, bottom - 36, 85);
  // The buttons keep to the lower right corner as the window is sized.
  for (kiv::TkivButton* button : {btnOk, btnCancel}) button->SetAnchors(ui::akRight | ui::akBottom);
  SetDialogKeys(btnOk, btnCancel);
  btnOk->OnClick = [this](ui::TComponent* sender) { btnOkClick(sender); };
  btnCancel->OnClick = [this](ui::TComponent* sender) { btnCancelClick(sender); };
}

void TfrmPathSelect::btnOkClick(ui::TComponent*) {
  const std::string path = ShellTreeView1->Path();
  // My Computer, the desktop's other virtual folders: nothing could be written there.
  if (path.empty()) {
    ui::Application().MessageBox("Please choose a folder on a disk.", "Path Select", MB_OK | MB_ICONWARNING);
    return;
  }
  Result = WithOneTrailingBackslash(path);
  SetModalResult(ui::mrOk);
}

void TfrmPathSelect::btnCancelClick(ui::TComponent*) {
  Result.clear();
  SetModalResult(ui::mrCancel);
}

bool FolderTakesNewFile(const std::string& folder) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    const std::string name = folder + std::to_string(GetTickCount()) + "." + std::to_string(GetTickCount() + attempt);
    // CREATE_NEW never opens a file that exists; the test file goes when its handle closes.
    const HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

}  // namespace app
