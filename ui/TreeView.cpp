#include "TreeView.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

// ---- nodes

void TTreeNode::UpdateItem(UINT mask) {
  if (!handle_) return;
  TVITEMA item{};
  item.mask = mask | TVIF_HANDLE;
  item.hItem = handle_;
  item.pszText = const_cast<char*>(text_.c_str());
  item.cChildren = HasChildren() ? 1 : 0;
  SendMessageA(tree_.Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::SetText(const std::string& value) {
  text_ = value;
  UpdateItem(TVIF_TEXT);
}

int TTreeNode::Index() const {
  const auto& siblings = tree_.items_.SiblingsOf(parent_);
  for (size_t i = 0; i < siblings.size(); ++i)
    if (siblings[i].get() == this) return static_cast<int>(i);
  return -1;
}

void TTreeNode::SetHasChildren(bool value) {
  hasChildren_ = value;
  UpdateItem(TVIF_CHILDREN);
}

bool TTreeNode::Expanded() const {
  if (!handle_) return expanded_;
  return (SendMessageA(tree_.Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(handle_), TVIS_EXPANDED) &
          TVIS_EXPANDED) != 0;
}

void TTreeNode::SetExpanded(bool value) {
  if (value == Expanded()) return;
  if (value ? !tree_.CanExpand(this) : !tree_.CanCollapse(this)) return;
  expanded_ = value;
  if (handle_) {
    // The window's own first-expansion notification would ask the same question again.
    ScopedCount own(tree_.changingWindow_);
    SendMessageA(tree_.Handle(), TVM_EXPAND, value ? TVE_EXPAND : TVE_COLLAPSE,
                 reinterpret_cast<LPARAM>(handle_));
  }
  if (value) tree_.Expand(this);
  else tree_.Collapse(this);
}

void TTreeNode::Expand(bool Recurse) {
  SetExpanded(true);
  if (Recurse)
    for (auto& child : children_) child->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
  if (Recurse)
    for (auto& child : children_) child->Collapse(true);
  SetExpanded(false);
}

bool TTreeNode::Selected() const { return tree_.Selected() == this; }

void TTreeNode::SetSelected(bool value) {
  if (value) tree_.SetSelected(this);
  else if (Selected()) tree_.SetSelected(nullptr);
}

void TTreeNode::SetImageIndex(int value) {
  imageIndex_ = value;
  if (handle_) InvalidateRect(tree_.Handle(), nullptr, FALSE);
}

void TTreeNode::MakeVisible() {
  if (handle_) SendMessageA(tree_.Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(handle_));
}

void TTreeNode::Delete() { tree_.items_.Delete(this); }

// ---- the node list

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& S) {
  return AddChildObject(Sibling ? Sibling->parent_ : nullptr, S, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr) {
  auto& siblings = SiblingsOf(Parent);
  siblings.push_back(std::unique_ptr<TTreeNode>(new TTreeNode(tree_, Parent)));
  TTreeNode* node = siblings.back().get();
  node->text_ = S;
  node->data_ = Ptr;
  if (tree_.HandleAllocated() && (!Parent || Parent->handle_)) {
    try {
      tree_.InsertWindowNode(*node);
    } catch (...) {
      siblings.pop_back();
      throw;
    }
    if (Parent && Parent->Count() == 1) Parent->UpdateItem(TVIF_CHILDREN);
  }
  return node;
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node) return;
  for (TTreeNode* n = tree_.selected_; n; n = n->parent_)
    if (n == Node) tree_.selected_ = nullptr;
  // The selection moving off the node is the user's to hear of: the nodes all live until the
  // window is done.
  if (Node->handle_) SendMessageA(tree_.Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Node->handle_));
  TTreeNode* parent = Node->parent_;
  auto& siblings = SiblingsOf(parent);
  siblings.erase(std::find_if(siblings.begin(), siblings.end(),
                              [Node](const std::unique_ptr<TTreeNode>& n) { return n.get() == Node; }));
  if (parent && parent->children_.empty()) parent->UpdateItem(TVIF_CHILDREN);
}

void TTreeNodes::Clear() {
  tree_.selected_ = nullptr;
  if (tree_.HandleAllocated()) {
    ScopedCount own(tree_.changingWindow_);
    SendMessageA(tree_.Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  }
  roots_.clear();
}

TTreeNodes::TTreeNodes(TCustomTreeView& tree) : tree_(tree), redraw_(tree) {}

// ---- the tree

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TNativeControl(AOwner), items_(*this) {
  // The tree captures the mouse and tells clicks itself (NM_CLICK).
  SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents));
  SetBounds(0, 0, 121, 97);
}

TCustomTreeView::~TCustomTreeView() {
  // The window goes first: its last notifications still find the nodes.
  DestroyWnd();
}

TTreeNode* TCustomTreeView::Selected() const {
  if (!HandleAllocated()) return selected_;
  HWND wnd = const_cast<TCustomTreeView*>(this)->Handle();
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(wnd, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!item) return nullptr;
  TVITEMA data{};
  data.mask = TVIF_PARAM | TVIF_HANDLE;
  data.hItem = item;
  SendMessageA(wnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
  return NodeOf(data);
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
  selected_ = node;
  if (HandleAllocated())
    SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->handle_ : nullptr));
}

void TCustomTreeView::SetImages(TCustomImageList* value) {
  ReferTo(images_, value);
  if (HandleAllocated()) SetWindowImages(value ? value->Handle() : nullptr);
}

void TCustomTreeView::SetWindowImages(HIMAGELIST images) {
  SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TNativeControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) SetImages(nullptr);
}

void TCustomTreeView::SetStyleFlag(bool& field, bool value, DWORD style) {
  field = value;
  ChangeWindowStyle(style, value);
}

void TCustomTreeView::SetShowButtons(bool value) { SetStyleFlag(showButtons_, value, TVS_HASBUTTONS); }
void TCustomTreeView::SetShowLines(bool value) { SetStyleFlag(showLines_, value, TVS_HASLINES); }
void TCustomTreeView::SetShowRoot(bool value) { SetStyleFlag(showRoot_, value, TVS_LINESATROOT); }

void TCustomTreeView::SetReadOnly(bool value) {
  readOnly_ = value;
  ChangeWindowStyle(TVS_EDITLABELS, !value);
}

void TCustomTreeView::SetHideSelection(bool value) {
  hideSelection_ = value;
  ChangeWindowStyle(TVS_SHOWSELALWAYS, !value);
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
  TNativeControl::CreateParams(Params);
  Params.NativeClass = WC_TREEVIEWA;
  if (showButtons_) Params.Style |= TVS_HASBUTTONS;
  if (showLines_) Params.Style |= TVS_HASLINES;
  if (showRoot_) Params.Style |= TVS_LINESATROOT;
  if (!readOnly_) Params.Style |= TVS_EDITLABELS;
  if (!hideSelection_) Params.Style |= TVS_SHOWSELALWAYS;
}

void TCustomTreeView::InsertWindowNode(TTreeNode& node) {
  ScopedCount own(changingWindow_);
  TVINSERTSTRUCTA insert{};
  insert.hParent = node.parent_ ? node.parent_->handle_ : TVI_ROOT;
  const auto& siblings = items_.SiblingsOf(node.parent_);
  const int index = node.Index();
  insert.hInsertAfter = index == 0 ? TVI_FIRST : siblings[index - 1]->handle_;
  TVITEMA& item = insert.item;
  item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  item.pszText = const_cast<char*>(node.text_.c_str());
  item.lParam = reinterpret_cast<LPARAM>(&node);
  item.cChildren = node.HasChildren() ? 1 : 0;
  item.iImage = I_IMAGECALLBACK;
  item.iSelectedImage = I_IMAGECALLBACK;
  node.handle_ = reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (!node.handle_) throw std::runtime_error("The tree view cannot take more nodes");
  for (auto& child : node.children_) InsertWindowNode(*child);
  if (node.expanded_) SendMessageA(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node.handle_));
}

void TCustomTreeView::CreateWindowHandle() {
  TNativeControl::CreateWindowHandle();
  if (images_) SetWindowImages(images_->Handle());
  SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
  for (auto& root : items_.roots_) InsertWindowNode(*root);
  if (!items_.redraw_.Open()) SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
  if (selected_) SetSelected(selected_);
}

void TCustomTreeView::KeepWindowState(TTreeNode& node) {
  node.expanded_ = node.Expanded();
  for (auto& child : node.children_) KeepWindowState(*child);
  node.handle_ = nullptr;
}

void TCustomTreeView::DestroyWnd() {
  if (!HandleAllocated()) return;
  selected_ = Selected();
  for (auto& root : items_.roots_) KeepWindowState(*root);
  ScopedCount own(changingWindow_);
  TNativeControl::DestroyWnd();
}

void TCustomTreeView::WndProc(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) return CNNotify(Message);
  TNativeControl::WndProc(Message);
}

void TCustomTreeView::CNNotify(TMessage& Message) {
  const auto& header = *reinterpret_cast<NMHDR*>(Message.LParam);
  // The A and W forms differ only in the items' texts, which these do not read.
  const auto& change = *reinterpret_cast<NMTREEVIEWA*>(Message.LParam);
  switch (header.code) {
    case TVN_GETDISPINFOA:
    case TVN_GETDISPINFOW: {
      TVITEMA& item = reinterpret_cast<NMTVDISPINFOA*>(Message.LParam)->item;
      TTreeNode* node = NodeOf(item);
      if (!node) return;
      if (item.mask & TVIF_IMAGE) item.iImage = GetImageIndex(node, false);
      if (item.mask & TVIF_SELECTEDIMAGE) item.iSelectedImage = GetImageIndex(node, true);
      return;
    }
    case TVN_SELCHANGINGA:
    case TVN_SELCHANGINGW:
      if (!changingWindow_) Message.Result = CanChange(NodeOf(change.itemNew)) ? FALSE : TRUE;
      return;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      if (!changingWindow_) Change(NodeOf(change.itemNew));
      return;
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
      if (changingWindow_) return;
      TTreeNode* node = NodeOf(change.itemNew);
      const bool allow = change.action & TVE_EXPAND ? CanExpand(node) : CanCollapse(node);
      Message.Result = allow ? FALSE : TRUE;
      return;
    }
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
      if (changingWindow_) return;
      TTreeNode* node = NodeOf(change.itemNew);
      if (change.action & TVE_EXPAND) Expand(node);
      else Collapse(node);
      return;
    }
    case TVN_ENDLABELEDITA: {
      TVITEMA& item = reinterpret_cast<NMTVDISPINFOA*>(Message.LParam)->item;
      if (!item.pszText || !NodeOf(item)) return;
      NodeOf(item)->text_ = item.pszText;
      Message.Result = TRUE;
      return;
    }
    case NM_CLICK:
      return Click();
    default:
      return TNativeControl::WndProc(Message);
  }
}

bool TCustomTreeView::CanExpand(TTreeNode* Node) {
  bool allow = true;
  if (OnExpanding) OnExpanding(this, Node, allow);
  return allow;
}

void TCustomTreeView::Expand(TTreeNode* Node) {
  if (OnExpanded) OnExpanded(this, Node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node) {
  bool allow = true;
  if (OnCollapsing) OnCollapsing(this, Node, allow);
  return allow;
}

void TCustomTreeView::Collapse(TTreeNode* Node) {
  if (OnCollapsed) OnCollapsed(this, Node);
}

bool TCustomTreeView::CanChange(TTreeNode* Node) {
  bool allow = true;
  if (OnChanging) OnChanging(this, Node, allow);
  return allow;
}

void TCustomTreeView::Change(TTreeNode* Node) {
  if (OnChange) OnChange(this, Node);
}

int TCustomTreeView::GetImageIndex(TTreeNode* Node, bool Selected) {
  // A node has no image of its own for the selected state.
  return Selected ? -1 : Node->imageIndex_;
}

}  // namespace ui
