// TCustomTreeView / TTreeView: the native tree view: nodes with children, images (asked for
// when a node is drawn, so they can be found lazily), expanding and collapsing with events that
// may refuse, and the selection with OnChanging/OnChange. Nodes live in the object and are put
// into the window, so they survive a new window with their expanded state and the selection.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ImageList.h"
#include "NativeControl.h"

namespace ui {

class TCustomTreeView;

class TTreeNode {
 public:
  TCustomTreeView* TreeView() const { return &tree_; }
  TTreeNode* Parent() const { return parent_; }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& value);
  // The children, in order.
  int Count() const { return static_cast<int>(children_.size()); }
  TTreeNode* Item(int index) const { return children_.at(index).get(); }
  // Place among its siblings.
  int Index() const;
  int Level() const { return parent_ ? parent_->Level() + 1 : 0; }
  // Shows the expand button before any child exists (children found when it expands).
  bool HasChildren() const { return hasChildren_ || !children_.empty(); }
  void SetHasChildren(bool value);
  bool Expanded() const;
  void SetExpanded(bool value);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  bool Selected() const;
  void SetSelected(bool value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  void* Data() const { return data_; }
  void SetData(void* value) { data_ = value; }
  // Scrolls and expands the parents until the node shows.
  void MakeVisible();
  void Delete();
  HTREEITEM ItemId() const { return handle_; }

 private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  TTreeNode(TCustomTreeView& tree, TTreeNode* parent) : tree_(tree), parent_(parent) {}
  void UpdateItem(UINT mask);

  TCustomTreeView& tree_;
  TTreeNode* parent_;
  std::vector<std::unique_ptr<TTreeNode>> children_;
  std::string text_;
  bool hasChildren_ = false;
  int imageIndex_ = -1;
  void* data_ = nullptr;
  HTREEITEM handle_ = nullptr;
  // The expanded state while the node has no window to hold it.
  bool expanded_ = false;
};

class TTreeNodes {
 public:
  // Top-level nodes.
  int Count() const { return static_cast<int>(roots_.size()); }
  TTreeNode* Item(int index) const { return roots_.at(index).get(); }
  TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front().get(); }
  // A node after the last sibling of Sibling (a top-level node without one).
  TTreeNode* Add(TTreeNode* Sibling, const std::string& S);
  // A node after the last child of Parent (a top-level node without one).
  TTreeNode* AddChild(TTreeNode* Parent, const std::string& S) { return AddChildObject(Parent, S, nullptr); }
  TTreeNode* AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr);
  void Delete(TTreeNode* Node);
  void Clear();
  // Between the two the window does not redraw.
  void BeginUpdate() { redraw_.Begin(); }
  void EndUpdate() { redraw_.End(); }

 private:
  friend class TTreeNode;
  friend class TCustomTreeView;
  explicit TTreeNodes(TCustomTreeView& tree);
  std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* parent) {
    return parent ? parent->children_ : roots_;
  }

  TCustomTreeView& tree_;
  std::vector<std::unique_ptr<TTreeNode>> roots_;
  RedrawBracket redraw_;
};

using TTVChangedEvent = std::function<void(TComponent* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TComponent* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent = std::function<void(TComponent* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TComponent* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TComponent* Sender, TTreeNode* Node)>;

class TCustomTreeView : public TNativeControl {
  UI_CLASS(TCustomTreeView, TNativeControl)
 public:
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;

  TTreeNodes& Items() { return items_; }
  TTreeNode* Selected() const;
  void SetSelected(TTreeNode* node);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* value);
  bool ShowButtons() const { return showButtons_; }
  void SetShowButtons(bool value);
  bool ShowLines() const { return showLines_; }
  void SetShowLines(bool value);
  bool ShowRoot() const { return showRoot_; }
  void SetShowRoot(bool value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value);

  TTVChangingEvent OnChanging;
  TTVChangedEvent OnChange;
  TTVExpandingEvent OnExpanding;
  TTVExpandedEvent OnExpanded;
  TTVCollapsingEvent OnCollapsing;
  TTVExpandedEvent OnCollapsed;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Before the node opens: true lets it (a derived tree finds the children here).
  virtual bool CanExpand(TTreeNode* Node);
  virtual void Expand(TTreeNode* Node);
  virtual bool CanCollapse(TTreeNode* Node);
  virtual void Collapse(TTreeNode* Node);
  virtual bool CanChange(TTreeNode* Node);
  virtual void Change(TTreeNode* Node);
  // The image drawn for the node, asked for each time it is drawn.
  virtual int GetImageIndex(TTreeNode* Node, bool Selected);
  // Sets the image list of the window directly (one the tree does not own, such as the system's).
  void SetWindowImages(HIMAGELIST images);

 private:
  friend class TTreeNode;
  friend class TTreeNodes;
  void CNNotify(TMessage& Message);
  void InsertWindowNode(TTreeNode& node);
  void KeepWindowState(TTreeNode& node);
  static TTreeNode* NodeOf(const TVITEMA& item) { return reinterpret_cast<TTreeNode*>(item.lParam); }
  void SetStyleFlag(bool& field, bool value, DWORD style);

  TTreeNodes items_;
  TCustomImageList* images_ = nullptr;
  bool showButtons_ = true;
  bool showLines_ = true;
  bool showRoot_ = true;
  bool readOnly_ = false;
  bool hideSelection_ = true;
  TTreeNode* selected_ = nullptr;  // while there is no window
  // Notifications of the tree's own insertions, deletions and expansions are not the user's.
  int changingWindow_ = 0;
};

class TTreeView : public TCustomTreeView {
  UI_CLASS(TTreeView, TCustomTreeView)
 public:
  using TCustomTreeView::TCustomTreeView;
};

}  // namespace ui
