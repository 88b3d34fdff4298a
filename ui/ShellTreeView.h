// TShellTreeView: the shell's folders as a tree rooted at the desktop, as the file dialogs show
// them: folders only, with the shell's icons. A folder's children are read when it is first
// opened and never before (under Wine one drive is the whole file system), and an icon only when
// its node is drawn. Path is the selected folder's file-system path, empty for a virtual folder
// such as My Computer. The program has COM initialised on the thread.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TreeView.h"

namespace ui {

class TShellTreeView : public TCustomTreeView {
  UI_CLASS(TShellTreeView, TCustomTreeView)
 public:
  explicit TShellTreeView(TComponent* AOwner);
  ~TShellTreeView() override;

  std::string Path() const;
  // Selects the folder (opening the folders above it); false when the shell does not know it.
  bool SetPath(const std::string& path);

 protected:
  void CreateWindowHandle() override;
  bool CanExpand(TTreeNode* Node) override;
  int GetImageIndex(TTreeNode* Node, bool Selected) override;

 private:
  struct Folder;
  static Folder& FolderOf(const TTreeNode* node);
  TTreeNode* AddFolder(TTreeNode* parent, const std::string& name, void* pidl);
  void ReadChildren(TTreeNode* node);

  std::vector<std::unique_ptr<Folder>> folders_;
};

}  // namespace ui
