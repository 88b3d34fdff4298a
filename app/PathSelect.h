// TfrmPathSelect, the folder selection dialog "Path Select": the shell's folder tree from the
// desktop, "Ok" and "Cancel". Its result is the chosen folder ending in one backslash, or
// empty after "Cancel". Made at start-up in its place in the windows' creation order.
#pragma once

#include <string>

#include "AppForm.h"
#include "KIVButton.h"
#include "ShellTreeView.h"

namespace app {

class TfrmPathSelect : public TAppForm {
  UI_CLASS(TfrmPathSelect, TAppForm)
 public:
  TfrmPathSelect(ui::TComponent* AOwner, AppContext& context);

  ui::TShellTreeView* ShellTreeView1 = nullptr;
  kiv::TkivButton *btnOk = nullptr, *btnCancel = nullptr;
  std::string Result;

  void btnOkClick(ui::TComponent* Sender);
  void btnCancelClick(ui::TComponent* Sender);
};

// Whether a new file can be made in the folder (which ends in a backslash): a test file of a
// name no file has yet is made and removed again, so no file of the user's is ever touched.
bool FolderTakesNewFile(const std::string& folder);

}  // namespace app
