#include "ShellTreeView.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <stdexcept>

namespace ui {

namespace {

using UniquePidl = com::unique_any<LPITEMIDLIST, CoTaskMemFree>;

// One reference to a COM object, released at the end.
template <typename T>
struct Released {
  void operator()(T* object) const { object->Release(); }
};
template <typename T>
using ComRef = std::unique_ptr<T, Released<T>>;

ComRef<IShellFolder> Desktop() {
  IShellFolder* desktop = nullptr;
  if (FAILED(SHGetDesktopFolder(&desktop))) throw std::runtime_error("The shell's desktop folder is not available");
  return ComRef<IShellFolder>(desktop);
}

// The shell folder object of a folder's absolute identifier (the desktop's is empty).
ComRef<IShellFolder> BindFolder(LPCITEMIDLIST pidl) {
  ComRef<IShellFolder> desktop = Desktop();
  if (pidl->mkid.cb == 0) return desktop;
  IShellFolder* folder = nullptr;
  if (FAILED(desktop->BindToObject(pidl, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder))))
    return nullptr;
  return ComRef<IShellFolder>(folder);
}

std::string DisplayName(IShellFolder& folder, LPCITEMIDLIST child) {
  STRRET name{};
  char text[MAX_PATH] = "";
  if (SUCCEEDED(folder.GetDisplayNameOf(child, SHGDN_INFOLDER, &name)))
    StrRetToBufA(&name, child, text, sizeof text);
  return text;
}

}  // namespace

struct TShellTreeView::Folder {
  UniquePidl pidl;  // absolute
  bool read = false;
  int image = -2, openImage = -2;  // -2: not asked yet
};

TShellTreeView::TShellTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {
  SetReadOnly(true);
  LPITEMIDLIST desktop = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop)))
    throw std::runtime_error("The shell's desktop folder is not available");
  SHFILEINFOA info{};
  SHGetFileInfoA(reinterpret_cast<LPCSTR>(desktop), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
  AddFolder(nullptr, info.szDisplayName, desktop)->Expand(false);
}

TShellTreeView::~TShellTreeView() {
  // The nodes point at the folders: window and nodes go first.
  DestroyWnd();
  Items().Clear();
}

TShellTreeView::Folder& TShellTreeView::FolderOf(const TTreeNode* node) {
  return *static_cast<Folder*>(node->Data());
}

TTreeNode* TShellTreeView::AddFolder(TTreeNode* parent, const std::string& name, void* pidl) {
  auto folder = std::make_unique<Folder>();
  folder->pidl.reset(static_cast<LPITEMIDLIST>(pidl));
  TTreeNode* node = Items().AddChildObject(parent, name, folder.get());
  folders_.push_back(std::move(folder));
  // Whether it has subfolders is found out when it is opened.
  node->SetHasChildren(true);
  return node;
}

void TShellTreeView::ReadChildren(TTreeNode* node) {
  Folder& folder = FolderOf(node);
  if (folder.read) return;
  folder.read = true;
  ComRef<IShellFolder> shell = BindFolder(folder.pidl.get());
  IEnumIDList* listed = nullptr;
  // A folder the shell cannot list (gone, no access) shows as having no subfolders.
  if (!shell || shell->EnumObjects(nullptr, SHCONTF_FOLDERS, &listed) != S_OK || !listed) {
    node->SetHasChildren(false);
    return;
  }
  ComRef<IEnumIDList> list(listed);
  std::vector<UniquePidl> children;
  for (LPITEMIDLIST child = nullptr; list->Next(1, &child, nullptr) == S_OK; child = nullptr)
    children.emplace_back(child);
  // In the shell's own order (drives by letter, folders by name).
  std::sort(children.begin(), children.end(), [&](const UniquePidl& a, const UniquePidl& b) {
    return static_cast<short>(HRESULT_CODE(shell->CompareIDs(0, a.get(), b.get()))) < 0;
  });
  Items().BeginUpdate();
  try {
    for (UniquePidl& child : children) {
      LPITEMIDLIST absolute = ILCombine(folder.pidl.get(), child.get());
      if (!absolute) throw std::bad_alloc();
      AddFolder(node, DisplayName(*shell, child.get()), absolute);
    }
  } catch (...) {
    Items().EndUpdate();
    throw;
  }
  Items().EndUpdate();
  node->SetHasChildren(!children.empty());
}

bool TShellTreeView::CanExpand(TTreeNode* Node) {
  if (!TCustomTreeView::CanExpand(Node)) return false;
  ReadChildren(Node);
  return Node->HasChildren();
}

int TShellTreeView::GetImageIndex(TTreeNode* Node, bool Selected) {
  Folder& folder = FolderOf(Node);
  int& image = Selected ? folder.openImage : folder.image;
  if (image == -2) {
    SHFILEINFOA info{};
    UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
    if (Selected) flags |= SHGFI_OPENICON;
    image = SHGetFileInfoA(reinterpret_cast<LPCSTR>(folder.pidl.get()), 0, &info, sizeof info, flags) ? info.iIcon : -1;
  }
  return image;
}

void TShellTreeView::CreateWindowHandle() {
  TCustomTreeView::CreateWindowHandle();
  // The system's own list of small icons; the shell owns it.
  SHFILEINFOA info{};
  auto images = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA(reinterpret_cast<LPCSTR>(FolderOf(Items().GetFirstNode()).pidl.get()), 0, &info,
                     sizeof info, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  SetWindowImages(images);
}

std::string TShellTreeView::Path() const {
  TTreeNode* node = Selected();
  char path[MAX_PATH] = "";
  if (!node || !SHGetPathFromIDListA(FolderOf(node).pidl.get(), path)) return "";
  return path;
}

bool TShellTreeView::SetPath(const std::string& path) {
  std::wstring wide(path.size() + 1, L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size())));
  LPITEMIDLIST parsed = nullptr;
  if (wide.empty() || FAILED(Desktop()->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &parsed, nullptr)))
    return false;
  UniquePidl target(parsed);
  TTreeNode* node = Items().GetFirstNode();
  while (node && !ILIsEqual(FolderOf(node).pidl.get(), target.get())) {
    ReadChildren(node);
    TTreeNode* next = nullptr;
    for (int i = 0; i < node->Count() && !next; ++i) {
      LPCITEMIDLIST child = FolderOf(node->Item(i)).pidl.get();
      if (ILIsEqual(child, target.get()) || ILIsParent(child, target.get(), FALSE)) next = node->Item(i);
    }
    node = next;
  }
  if (!node) return false;
  SetSelected(node);
  node->MakeVisible();
  return true;
}

}  // namespace ui
