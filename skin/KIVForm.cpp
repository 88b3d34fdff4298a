#include "KIVForm.h"

#include <stdexcept>

#include "Application.h"
#include "KIVMainMenu.h"
#include "KIVPublic.h"
#include "Menus.h"

namespace kiv {

namespace {

constexpr int kEdge = 5;
constexpr int kFormBorderColor = 2;
constexpr int kFormColor = 3;
constexpr int kFormBorderWidth = 4;

// The owner, once it is known to be a form without a form skin: checked before any part of a
// new skin is made, so a refused skin leaves nothing behind.
ui::TForm& CheckedHost(ui::TComponent* owner) {
  auto* form = dynamic_cast<ui::TForm*>(owner);
  if (!form) throw std::invalid_argument("A TkivForm can only be placed on a form");
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (form->Components(i)->InheritsFrom("TkivForm"))
      throw std::runtime_error("Sorry, You can create only one TkivForm component in one form!");
  return *form;
}

// How many times a window made maximised has been sized while maximised, counted by every
// skin of the process together up to 2: from then on such a window is maximised again and put
// at the work area's corner whenever it is sized.
int maximisedSizings = 0;

}  // namespace

int FormEdgeHitTest(LPARAM screenPoint, POINT clientOrigin, SIZE clientSize, int previous) {
  const POINT screen = ui::MousePoint(screenPoint);
  const int x = screen.x - clientOrigin.x, y = screen.y - clientOrigin.y;
  const int cw = clientSize.cx, ch = clientSize.cy;
  const bool left = x < kEdge, top = y < kEdge, right = x > cw - kEdge, bottom = y > ch - kEdge;
  if (left && top) return HTTOPLEFT;
  if (right && top) return HTTOPRIGHT;
  if (right && bottom) return HTBOTTOMRIGHT;
  if (left && bottom) return HTBOTTOMLEFT;
  if (left) return HTLEFT;
  if (top) return HTTOP;
  if (right) return HTRIGHT;
  if (bottom) return HTBOTTOM;
  return previous;
}

RECT SkinPanelBounds(SIZE clientSize, int borderWidth, bool titleBarVisible) {
  const int top = titleBarVisible ? 0 : borderWidth;
  return {borderWidth, top, clientSize.cx - borderWidth, clientSize.cy - borderWidth};
}

// The application's message hook while a skin holds it: menu short cuts of keys pressed
// anywhere in that skin's window.
struct TkivForm::KeyHook {
  TkivForm* skin;
  void operator()(MSG& msg, bool& handled) const {
    if (msg.message != WM_KEYDOWN || !skin->menu_ || !skin->host_.HandleAllocated()) return;
    if (GetAncestor(msg.hwnd, GA_ROOT) != skin->host_.Handle()) return;
    ui::TMessage key{msg.message, msg.wParam, msg.lParam, 0};
    handled = skin->menu_->IsShortCut(key);
  }
};

TkivForm::TkivForm(ui::TComponent* AOwner)
    : TCustomPanel(&CheckedHost(AOwner)), host_(static_cast<ui::TForm&>(*AOwner)) {
  SetBevelOuter(ui::bvNone);
  SetControlStyle(ui::csAcceptsControls | ui::csCaptureMouse | ui::csClickEvents | ui::csDoubleClicks | ui::csOpaque);
  SetParent(&host_);
  ui::TSizeConstraints constraints = host_.Constraints();
  constraints.MinHeight = 50;
  constraints.MinWidth = 125;
  host_.SetConstraints(constraints);
  normalBounds_ = host_.BoundsRect();
  startedMaximized_ = host_.WindowState() == ui::wsMaximized;
  creationBorderStyle_ = host_.BorderStyle();
  SetColor(ui::clBtnFace);
  titleBar_ = new TkivTitleBar(this);
  titleBar_->SetParent(this);
  menuBarColor_ = Color();
  SetUIStyle(TkivUIStyle::DeepBlue);
  SetCaption(host_.Caption());
  SetTitleBarVisible(true);
  TCustomPanel::SetTextNow(" ");
  const RECT work = GetWorkAreaRect();
  constraints = host_.Constraints();
  constraints.MaxHeight = work.bottom - work.top;
  constraints.MaxWidth = work.right - work.left;
  host_.SetConstraints(constraints);
  host_.SetBorderStyle(ui::bsNone);
  hostFilter_ = std::make_unique<ui::TMessageFilter>(
      host_, [this](ui::TMessage& m, const ui::TMessageFilter::Inherited& previous) { HostMessage(m, previous); });
  // Points on the form's sizing edges that lie over the title bar belong to the form.
  titleBarFilter_ = std::make_unique<ui::TMessageFilter>(
      *titleBar_, [this](ui::TMessage& m, const ui::TMessageFilter::Inherited& previous) {
        if (m.Msg == WM_NCHITTEST && EdgeAt(m.LParam) != HTNOWHERE) m.Result = HTTRANSPARENT;
        else previous(m);
      });
  if (!ui::Application().OnMessage) {
    ui::Application().OnMessage = KeyHook{this};
    ownsKeyHook_ = true;
  }
  LayoutSkinPanel();
}

TkivForm::~TkivForm() {
  if (ownsKeyHook_) {
    auto* hook = ui::Application().OnMessage.target<KeyHook>();
    if (hook && hook->skin == this) ui::Application().OnMessage = nullptr;
  }
  LinkMenu(menu_, nullptr);
  titleBarFilter_.reset();
  hostFilter_.reset();
  if (!host_.IsDestroying()) host_.Invalidate();
}

void TkivForm::LinkMenu(ui::TMainMenu* menu, TkivForm* skin) {
  if (auto* skinned = dynamic_cast<TkivMainMenu*>(menu)) skinned->SetFormSkin(skin);
}

void TkivForm::SetUIStyle(TkivUIStyle value) {
  uiStyle_ = value;
  if (value == TkivUIStyle::Custom) return;
  borderColor_ = GetThemeColor(value, kFormBorderColor);
  borderWidth_ = GetThemeInteger(value, kFormBorderWidth);
  SetColor(GetThemeColor(value, kFormColor));
  SetMenuBarColor(Color());
  titleBar_->SetUIStyle(value);
  if (auto* skinned = dynamic_cast<TkivMainMenu*>(menu_); skinned && skinned->UIStyle() != TkivUIStyle::Custom)
    skinned->SetUIStyle(value);
  if (uiStyleAutoUpdateSub_) {
    ApplyStyleToFormPanels(*this, value);
    ApplyStyleToChildren(*this, value);
  }
  LayoutSkinPanel();
  Invalidate();
  PaintFormFrame();
  if (!IsLoading()) {
    SetWidth(Width());
    SetHeight(Height());
  }
}

void TkivForm::SetBorderColor(TColor value) {
  borderColor_ = value;
  LayoutSkinPanel();
  PaintFormFrame();
}

void TkivForm::SetBorderWidth(int value) {
  borderWidth_ = value;
  SetWidth(Width());
  LayoutSkinPanel();
  SetHeight(Height());
  PaintFormFrame();
}

void TkivForm::SetTitleBarVisible(bool value) {
  titleBar_->SetVisible(value);
  titleBar_->SetTop(0);
  LayoutSkinPanel();
  PaintFormFrame();
}

void TkivForm::SetWidth(int value) {
  host_.SetWidth(value + 2 * borderWidth_);
  LayoutSkinPanel();
}

void TkivForm::SetHeight(int value) {
  // The frame below the panel, and above it when the title bar is hidden: the height written
  // is the height read back.
  const int top = SkinPanelBounds({0, 0}, borderWidth_, TitleBarVisible()).top;
  host_.SetHeight(value + borderWidth_ + top);
  LayoutSkinPanel();
}

std::string TkivForm::GetText() const { return titleBar_ ? titleBar_->Caption() : TCustomPanel::GetText(); }

void TkivForm::SetTextNow(const std::string& value) {
  titleBar_->SetCaption(value);
  host_.SetCaption(value);
}

void TkivForm::SetMenu(ui::TMainMenu* value) {
  if (value == menu_) return;
  LinkMenu(menu_, nullptr);
  ReferTo(menu_, value);
  if (!menu_) return FreeMenuBar();
  LinkMenu(menu_, this);
  CreateMenuBar();
  RebuildMenuBar();
}

void TkivForm::SetFormPanel(ui::TWinControl* value) {
  if (value == this)
    return RefuseWrite(*this, "Sorry, you can't select the Form assign to FormPanel property");
  ReferTo(formPanel_, value);
  if (!value) return;
  value->SetAlign(ui::alClient);
  if (auto* panel = dynamic_cast<ui::TPanel*>(value)) {
    panel->SetBevelInner(ui::bvNone);
    panel->SetBevelOuter(ui::bvNone);
    panel->SetBorderWidth(0);
    panel->SetCaption("");
  } else if (value->InheritsFrom("TkivImagePanel")) {
    value->SetCaption("");
  }
}

void TkivForm::Notification(ui::TComponent* AComponent, ui::TOperation Operation) {
  TCustomPanel::Notification(AComponent, Operation);
  if (Operation != ui::opRemove) return;
  if (AComponent == formPanel_) formPanel_ = nullptr;
  if (AComponent == menu_) {
    menu_ = nullptr;
    FreeMenuBar();
  }
}

void TkivForm::Loaded() {
  ui::TCustomPanel::Loaded();
  // The host's client size was applied again at the end of its layout, maybe before it had a
  // window to say so: the panel follows now, before the controls on it take their anchors.
  LayoutSkinPanel();
}

void TkivForm::LayoutSkinPanel() {
  if (!titleBar_) return;
  SetBoundsRect(SkinPanelBounds({host_.ClientWidth(), host_.ClientHeight()}, borderWidth_, TitleBarVisible()));
}

void TkivForm::PaintFormFrame() {
  if (!host_.HandleAllocated()) return;
  com::window_dc dc = com::window_dc::client(host_.Handle());
  if (!dc) return;
  ui::TCanvas canvas(dc.get());
  const int cw = host_.ClientWidth(), ch = host_.ClientHeight(), bw = borderWidth_;
  canvas.Brush().SetColor(borderColor_);
  canvas.Pen().SetColor(borderColor_);
  canvas.Pen().SetWidth(bw);
  for (const RECT& r : {RECT{0, 0, bw, ch}, RECT{0, ch - bw, cw, ch}, RECT{cw - bw, 0, cw, ch}}) canvas.FillRect(r);
  canvas.MoveTo(0, 0);
  canvas.LineTo(cw, 0);
  canvas.SetHandle(nullptr);
}

int TkivForm::EdgeAt(LPARAM screenPoint) const {
  if (!host_.HandleAllocated() || host_.WindowState() == ui::wsMaximized || creationBorderStyle_ != ui::bsSizeable)
    return HTNOWHERE;
  return FormEdgeHitTest(screenPoint, host_.ClientOrigin(), {host_.ClientWidth(), host_.ClientHeight()}, HTNOWHERE);
}

void TkivForm::HostMessage(ui::TMessage& Message, const ui::TMessageFilter::Inherited& Previous) {
  Previous(Message);
  switch (Message.Msg) {
    case WM_KEYDOWN:
      Message.Result = menu_ && menu_->IsShortCut(Message) ? 1 : 0;
      return;
    case WM_SHOWWINDOW:
      // The menu shows only on the skin's own menu bar.
      return host_.SetMenu(nullptr);
    case WM_ACTIVATE:
      return titleBar_->SetFormActive(LOWORD(Message.WParam) != WA_INACTIVE);
    case WM_SIZE:
      return HostSized();
    case WM_ERASEBKGND:
      return PaintFormFrame();
    case WM_NCHITTEST:
      if (const int edge = EdgeAt(Message.LParam); edge != HTNOWHERE) Message.Result = edge;
      return;
    default:
      return;
  }
}

void TkivForm::HostSized() {
  if (startedMaximized_ && host_.WindowState() == ui::wsNormal) {
    // A window made maximised goes back to the bounds it was made with.
    startedMaximized_ = false;
    SetFormBounds(host_, normalBounds_);
  } else if (startedMaximized_ && host_.WindowState() == ui::wsMaximized) {
    if (maximisedSizings < 2) {
      ++maximisedSizings;
    } else {
      // The system puts a maximised window without a frame at the screen's corner: it is
      // kept at the work area's.
      const RECT work = GetWorkAreaRect();
      host_.SetWindowState(ui::wsMaximized);
      host_.SetLeft(work.left);
      host_.SetTop(work.top);
    }
  }
  LayoutSkinPanel();
  PaintFormFrame();
  titleBar_->UpdateFormRegion();
}

void TkivForm::Paint() {
  const char* background = uiStyle_ == TkivUIStyle::MacOS     ? "MACOS_FORM_BACKGROUND"
                           : uiStyle_ == TkivUIStyle::Protein ? "PROTEIN_FORM_BACKGROUND"
                                                               : nullptr;
  const RECT client = ClientRect();
  if (!background) {
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect(client);
    return;
  }
  ui::TBitmap pattern;
  LoadSkinBitmap(pattern, background);
  ui::TBitmap buffer(client.right, client.bottom);
  TileBitmap(buffer.Canvas(), pattern, client);
  Canvas().Draw(0, 0, buffer);
}

void TkivForm::WndProc(ui::TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      // The panel's paint covers it; only the frame around it is drawn here.
      PaintFormFrame();
      Message.Result = 1;
      return;
    case WM_NCHITTEST:
      if (EdgeAt(Message.LParam) != HTNOWHERE) {
        Message.Result = HTTRANSPARENT;
        return;
      }
      return TCustomPanel::WndProc(Message);
    default:
      return TCustomPanel::WndProc(Message);
  }
}

}  // namespace kiv
