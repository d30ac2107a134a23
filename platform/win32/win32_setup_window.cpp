// The set-up window on Win32: real controls placed by the layout table,
// mirroring the window model. Win32 notifications become model calls; model
// changes become control updates. Nothing here decides anything.
#include "platform/win32/win32_setup_window.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "main/control_model.h"
#include "platform/error.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/windows_api.h"
#include "platform/window_host.h"
#include "resources/row_picture.h"
#include "resources/setup_window_layout.h"

namespace platform::win32 {

namespace {

using main_window::Change;
using main_window::Control;
using resources::ControlKind;
using resources::ControlLayout;

struct Bound {
  const ControlLayout* layout = nullptr;
  main_window::Component* component = nullptr;
  HWND hwnd = nullptr;
  int id = 0;
};

// A speed button: a push button that handles the mouse itself so that it
// never takes the focus.
struct SpeedButtonState {
  WNDPROC original = nullptr;
  bool tracking = false;
};

class ScreenDc {
 public:
  ScreenDc() : dc_(::GetDC(nullptr)) {}
  ~ScreenDc() { ::ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

int CALLBACK CountFontFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool HasFontFamily(const char* face) {
  ScreenDc dc;
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  ::EnumFontFamiliesExA(dc.Get(), &wanted, CountFontFamily, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// Some replacements of a font lack the signs the program needs.
bool FontHasGlyphs(HFONT font, const char* text) {
  ScreenDc dc;
  HGDIOBJ old = ::SelectObject(dc.Get(), font);
  WORD glyphs[16] = {};
  int length = static_cast<int>(std::min<size_t>(std::strlen(text), 16));
  DWORD done = ::GetGlyphIndicesA(dc.Get(), text, length, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
  ::SelectObject(dc.Get(), old);
  return done == static_cast<DWORD>(length) &&
         std::none_of(glyphs, glyphs + length, [](WORD g) { return g == 0xFFFF || g == 0; });
}

HFONT MakeFont(const char* face, int height, BYTE charset) {
  return ::CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

// Gives the list its small-image list with the row picture. The list view
// owns the image list from then on and destroys it with itself.
void AttachRowPicture(HWND list) {
  const int size = resources::kRowPictureSize;
  HIMAGELIST images = ::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0);
  if (!images) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ScopedGdiObject colour(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  // The mask is monochrome, rows padded to 16 bits; a set bit is transparent.
  const int maskStride = (size + 15) / 16 * 2;
  std::vector<BYTE> maskBits(maskStride * size, 0);
  if (colour.IsValid() && bits) {
    const int stride = (size * 3 + 3) / 4 * 4;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        resources::Rgba pixel = resources::RowPicturePixel(x, y);
        BYTE* out = static_cast<BYTE*>(bits) + y * stride + x * 3;
        bool clear = pixel.alpha == 0;
        out[0] = clear ? 0 : pixel.blue;
        out[1] = clear ? 0 : pixel.green;
        out[2] = clear ? 0 : pixel.red;
        if (clear) maskBits[y * maskStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
      }
    }
  }
  ScopedGdiObject mask(::CreateBitmap(size, size, 1, 1, maskBits.data()));
  if (colour.IsValid() && mask.IsValid()) {
    ::ImageList_Add(images, static_cast<HBITMAP>(colour.Get()), static_cast<HBITMAP>(mask.Get()));
  }
  ::SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

bool IsFocusable(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPageControl:
    case ControlKind::kEdit:
    case ControlKind::kMemo:
    case ControlKind::kButton:
    case ControlKind::kRadioButton:
    case ControlKind::kCheckBox:
    case ControlKind::kListView:
      return true;
    default:
      return false;
  }
}

bool IsPushButton(ControlKind kind) {
  return kind == ControlKind::kButton || kind == ControlKind::kSpeedButton;
}

// Draws the Ghostscript mark where "Wingdings" is missing: a box with a
// cross (missing) or with a check (found).
void DrawMark(HDC dc, const RECT& area, bool found) {
  ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
  int side = std::min<int>(area.right - area.left, area.bottom - area.top) - 8;
  int left = area.left + 4, top = area.top + (area.bottom - area.top - side) / 2;
  ScopedGdiObject pen(::CreatePen(PS_SOLID, 2, ::GetSysColor(COLOR_WINDOWTEXT)));
  HGDIOBJ oldPen = ::SelectObject(dc, pen.Get());
  HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
  ::Rectangle(dc, left, top, left + side, top + side);
  int inset = side / 5;
  if (found) {
    POINT check[] = {{left + inset, top + side / 2},
                     {left + side * 2 / 5, top + side - inset},
                     {left + side - inset, top + inset}};
    ::Polyline(dc, check, 3);
  } else {
    ::MoveToEx(dc, left + inset, top + inset, nullptr);
    ::LineTo(dc, left + side - inset, top + side - inset);
    ::MoveToEx(dc, left + side - inset, top + inset, nullptr);
    ::LineTo(dc, left + inset, top + side - inset);
  }
  ::SelectObject(dc, oldBrush);
  ::SelectObject(dc, oldPen);
}

class SetupWindow {
 public:
  explicit SetupWindow(main_window::Form& form) : form_(form) {}
  ~SetupWindow() {
    for (auto& bound : bound_) {
      if (bound.component) {
        if (auto* control = dynamic_cast<Control*>(bound.component)) control->SetObserver(nullptr);
      }
    }
    form_.SetObserver(nullptr);
    if (window_ && ::IsWindow(window_)) ::DestroyWindow(window_);
  }
  SetupWindow(const SetupWindow&) = delete;
  SetupWindow& operator=(const SetupWindow&) = delete;

  void Run();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SpeedButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  void RegisterClasses();
  void CreateMainWindow();
  void CreateControls();
  HWND CreateControl(const Bound& bound, HWND parent, POINT origin);
  void FillListColumns(HWND list);
  void Observe();
  void ShowActivePage();

  // Win32 -> model.
  void OnCommand(int id, int code);
  void OnNotify(const NMHDR& header);
  bool OnDrawItem(const DRAWITEMSTRUCT& item);
  bool TranslateKey(MSG& message);
  void MoveFocus(bool backwards);

  // Model -> Win32.
  void OnModelChange(Control& control, Change change, int row);
  void ApplyVisibility(const Bound& bound);
  void RefillList(const Bound& bound);
  void UpdateListRow(const Bound& bound, int row);

  Bound* FindById(int id);
  Bound* FindByComponent(const main_window::Component* component);
  Bound* FindByName(const std::string& name);
  POINT OriginOf(const ControlLayout& layout);
  HWND ParentWindowOf(const ControlLayout& layout);
  bool EffectivelyVisible(const Control& control) const;
  std::vector<HWND> TabOrder();
  void AddTabStops(const Control& container, std::vector<HWND>& order);
  int TabOrderOf(const Control& control);

  main_window::Form& form_;
  HWND window_ = nullptr;
  HWND tabs_ = nullptr;
  RECT pageArea_{};
  std::vector<Bound> bound_;
  std::deque<SpeedButtonState> speedButtons_;
  ScopedGdiObject font_;
  ScopedGdiObject markFont_;  // null: the mark is drawn by DrawMark
  // Set while the binding itself changes controls, whose notifications then
  // must not go back into the model.
  int syncing_ = 0;
};

struct Syncing {
  explicit Syncing(int& depth) : depth_(depth) { ++depth_; }
  ~Syncing() { --depth_; }
  int& depth_;
};

void SetupWindow::Run() {
  INITCOMMONCONTROLSEX common{sizeof common, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&common);
  const auto& window = resources::SetupWindow();
  font_.Reset(MakeFont(window.fontName, window.fontHeight, DEFAULT_CHARSET));
  if (const auto* mark = resources::FindSetupWindowControl("Label2");
      mark && mark->fontName && HasFontFamily(mark->fontName)) {
    markFont_.Reset(MakeFont(mark->fontName, mark->fontHeight, SYMBOL_CHARSET));
    if (!FontHasGlyphs(static_cast<HFONT>(markFont_.Get()), "\xFD\xFE")) markFont_.Reset();
  }
  RegisterClasses();
  CreateMainWindow();
  CreateControls();
  Observe();
  ShowActivePage();

  auto order = TabOrder();
  ::ShowWindow(window_, SW_SHOW);
  ::UpdateWindow(window_);
  if (!order.empty()) ::SetFocus(order.front());

  MSG message;
  while (!form_.Closed() && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (TranslateKey(message)) continue;
    if (::IsDialogMessageA(window_, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

void SetupWindow::RegisterClasses() {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kSetupWindowClass;
  ::RegisterClassA(&windowClass);

  WNDCLASSA pageClass{};
  pageClass.lpfnWndProc = PageProc;
  pageClass.hInstance = instance;
  pageClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  pageClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  pageClass.lpszClassName = kPageClass;
  ::RegisterClassA(&pageClass);
}

void SetupWindow::CreateMainWindow() {
  const auto& layout = resources::SetupWindow();
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, layout.clientWidth, layout.clientHeight};
  ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  window_ = ::CreateWindowExA(exStyle, kSetupWindowClass, form_.Text().c_str(), style, left, top,
                              width, height, nullptr, nullptr, ::GetModuleHandleA(nullptr), this);
  if (!window_) throw platform::Error("EOSError", "The set-up window cannot be created");
  // The frame metrics of AdjustWindowRectEx can differ from the real ones.
  RECT client;
  ::GetClientRect(window_, &client);
  int extraWidth = layout.clientWidth - client.right, extraHeight = layout.clientHeight - client.bottom;
  if (extraWidth || extraHeight) {
    width += extraWidth;
    height += extraHeight;
    ::SetWindowPos(window_, nullptr, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                   (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void SetupWindow::CreateControls() {
  const auto& layout = resources::SetupWindowControls();
  bound_.reserve(layout.size());
  for (size_t i = 0; i < layout.size(); ++i) {
    bound_.push_back({&layout[i], form_.FindComponent(layout[i].name), nullptr,
                      kFirstControlId + static_cast<int>(i)});
  }
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  for (auto& bound : bound_) {
    const auto& entry = *bound.layout;
    if (entry.kind == ControlKind::kPageControl) {
      bound.hwnd = ::CreateWindowExA(0, WC_TABCONTROLA, "",
                                     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS,
                                     entry.left, entry.top, entry.width, entry.height, window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(bound.id)),
                                     instance, nullptr);
      tabs_ = bound.hwnd;
      ::SendMessageA(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    } else if (entry.kind == ControlKind::kTabSheet) {
      auto* sheet = static_cast<Control*>(bound.component);
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      std::string caption = sheet->Text();
      item.pszText = caption.data();
      int index = static_cast<int>(::SendMessageA(tabs_, TCM_GETITEMCOUNT, 0, 0));
      ::SendMessageA(tabs_, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
    }
  }
  // Pages fill the display area, which depends on the tabs' font and row.
  RECT tabsRect;
  ::GetWindowRect(tabs_, &tabsRect);
  ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&tabsRect), 2);
  pageArea_ = tabsRect;
  ::SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pageArea_));
  for (auto& bound : bound_) {
    if (bound.layout->kind != ControlKind::kTabSheet) continue;
    bound.hwnd = ::CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, bound.layout->caption,
                                   WS_CHILD | WS_CLIPSIBLINGS, pageArea_.left,
                                   pageArea_.top, pageArea_.right - pageArea_.left,
                                   pageArea_.bottom - pageArea_.top, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(bound.id)),
                                   instance, nullptr);
  }
  // Pages above the tab control, which would otherwise paint over them.
  ::SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  // Group boxes last: below the controls they frame.
  for (bool groups : {false, true}) {
    for (auto& bound : bound_) {
      auto kind = bound.layout->kind;
      if (kind == ControlKind::kPageControl || kind == ControlKind::kTabSheet ||
          kind == ControlKind::kOpenDialog || kind == ControlKind::kImageList) {
        continue;
      }
      if ((kind == ControlKind::kGroupBox) != groups) continue;
      bound.hwnd = CreateControl(bound, ParentWindowOf(*bound.layout), OriginOf(*bound.layout));
    }
  }
}

HWND SetupWindow::CreateControl(const Bound& bound, HWND parent, POINT origin) {
  const auto& entry = *bound.layout;
  auto* control = static_cast<Control*>(bound.component);
  const char* className = "STATIC";
  DWORD style = WS_CHILD;
  DWORD exStyle = 0;
  switch (entry.kind) {
    case ControlKind::kGroupBox:
      className = "BUTTON";
      style |= BS_GROUPBOX;
      break;
    case ControlKind::kLabel:
      style |= SS_NOPREFIX;
      if (&entry == resources::FindSetupWindowControl("Label2") && !markFont_.IsValid()) {
        style |= SS_OWNERDRAW;
      } else if (entry.alignment == resources::Alignment::kRight) {
        style |= SS_RIGHT;
      } else {
        style |= entry.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
      }
      break;
    case ControlKind::kImage:
      break;
    case ControlKind::kEdit:
      className = "EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kMemo:
      className = "EDIT";
      style |= WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kButton:
      className = "BUTTON";
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
    case ControlKind::kSpeedButton:
      className = "BUTTON";
      style |= BS_PUSHBUTTON;
      break;
    case ControlKind::kRadioButton:
      className = "BUTTON";
      style |= WS_TABSTOP | BS_RADIOBUTTON;
      break;
    case ControlKind::kCheckBox:
      className = "BUTTON";
      style |= WS_TABSTOP | BS_CHECKBOX;
      break;
    case ControlKind::kListView:
      className = WC_LISTVIEWA;
      style |= WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    default:
      break;
  }
  // Arrow keys move within a run of radio buttons only.
  bool followsRadio = &bound != &bound_.front() && (&bound - 1)->layout->kind ==
                                                       ControlKind::kRadioButton;
  if (!(entry.kind == ControlKind::kRadioButton && followsRadio)) style |= WS_GROUP;
  std::string text = entry.kind == ControlKind::kListView ? "" : control->Text();
  HWND hwnd = ::CreateWindowExA(exStyle, className, text.c_str(), style, origin.x + entry.left,
                                origin.y + entry.top, entry.width, entry.height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(bound.id)),
                                ::GetModuleHandleA(nullptr), nullptr);
  bool ownFont = entry.fontName && markFont_.IsValid();
  ::SendMessageA(hwnd, WM_SETFONT,
                 reinterpret_cast<WPARAM>(ownFont ? markFont_.Get() : font_.Get()), FALSE);
  if (entry.kind == ControlKind::kListView) {
    ::SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    FillListColumns(hwnd);
    AttachRowPicture(hwnd);
  }
  if (entry.kind == ControlKind::kSpeedButton) {
    auto& state = speedButtons_.emplace_back();
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    state.original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpeedButtonProc)));
  }
  if (auto* check = dynamic_cast<main_window::CheckBox*>(control)) {
    ::SendMessageA(hwnd, BM_SETCHECK, check->Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  if (auto* radio = dynamic_cast<main_window::RadioButton*>(control)) {
    ::SendMessageA(hwnd, BM_SETCHECK, radio->Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  if (!control->Enabled()) ::EnableWindow(hwnd, FALSE);
  if (EffectivelyVisible(*control)) ::ShowWindow(hwnd, SW_SHOWNA);
  return hwnd;
}

void SetupWindow::FillListColumns(HWND list) {
  int index = 0;
  for (const auto& column : resources::SetupWindowListColumns()) {
    LVCOLUMNA lvColumn{};
    lvColumn.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    lvColumn.fmt = column.alignment == resources::Alignment::kCenter ? LVCFMT_CENTER
                   : column.alignment == resources::Alignment::kRight ? LVCFMT_RIGHT
                                                                       : LVCFMT_LEFT;
    lvColumn.cx = column.width;
    std::string caption = column.caption;
    lvColumn.pszText = caption.data();
    ::SendMessageA(list, LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&lvColumn));
  }
}

void SetupWindow::Observe() {
  auto observer = [this](Control& control, Change change, int row) {
    OnModelChange(control, change, row);
  };
  form_.SetObserver(observer);
  for (auto& bound : bound_) {
    if (auto* control = dynamic_cast<Control*>(bound.component)) control->SetObserver(observer);
  }
}

void SetupWindow::ShowActivePage() {
  Bound* tabs = FindById(static_cast<int>(::GetDlgCtrlID(tabs_)));
  auto* pages = static_cast<main_window::PageControl*>(tabs->component);
  Syncing syncing(syncing_);
  ::SendMessageA(tabs_, TCM_SETCURSEL, pages->ActivePageIndex(), 0);
  for (size_t i = 0; i < pages->Children().size(); ++i) {
    if (Bound* page = FindByComponent(pages->Children()[i])) {
      bool active = static_cast<int>(i) == pages->ActivePageIndex();
      ::ShowWindow(page->hwnd, active ? SW_SHOWNA : SW_HIDE);
    }
  }
}

// --- Win32 -> model -------------------------------------------------------

LRESULT CALLBACK SetupWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<SetupWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self || self->bound_.empty()) return ::DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      // IDOK and IDCANCEL come from Enter and Escape: there is no default
      // or cancel button.
      if (lParam) self->OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      self->OnNotify(*reinterpret_cast<NMHDR*>(lParam));
      return 0;
    case WM_DRAWITEM:
      if (self->OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_CLOSE:
      self->form_.RunEvent([self] { self->form_.Close(); });
      return 0;
    default:
      break;
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SetupWindow::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
      return ::SendMessageA(::GetParent(hwnd), message, wParam, lParam);
    case WM_ERASEBKGND: {
      RECT client;
      ::GetClientRect(hwnd, &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, ::GetSysColorBrush(COLOR_BTNFACE));
      return TRUE;
    }
    default:
      return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK SetupWindow::SpeedButtonProc(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* state = reinterpret_cast<SpeedButtonState*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  RECT client;
  ::GetClientRect(hwnd, &client);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      state->tracking = true;
      ::SetCapture(hwnd);
      ::SendMessageA(hwnd, BM_SETSTATE, TRUE, 0);
      return 0;
    case WM_MOUSEMOVE:
      if (state->tracking) ::SendMessageA(hwnd, BM_SETSTATE, ::PtInRect(&client, point), 0);
      return 0;
    case WM_LBUTTONUP:
      if (state->tracking) {
        state->tracking = false;
        ::ReleaseCapture();
        ::SendMessageA(hwnd, BM_SETSTATE, FALSE, 0);
        if (::PtInRect(&client, point)) {
          ::SendMessageA(::GetParent(hwnd), WM_COMMAND,
                         MAKEWPARAM(::GetDlgCtrlID(hwnd), BN_CLICKED),
                         reinterpret_cast<LPARAM>(hwnd));
        }
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (state->tracking) {
        state->tracking = false;
        ::SendMessageA(hwnd, BM_SETSTATE, FALSE, 0);
      }
      return 0;
    case WM_SETFOCUS:  // not even by a program
      if (wParam) ::SetFocus(reinterpret_cast<HWND>(wParam));
      return 0;
    default:
      return ::CallWindowProcA(state->original, hwnd, message, wParam, lParam);
  }
}

void SetupWindow::OnCommand(int id, int code) {
  Bound* bound = FindById(id);
  if (!bound || syncing_) return;
  auto kind = bound->layout->kind;
  if (code == BN_CLICKED) {
    if (auto* button = dynamic_cast<main_window::Button*>(bound->component)) {
      form_.RunEvent([button] { button->Click(); });
    } else if (auto* radio = dynamic_cast<main_window::RadioButton*>(bound->component)) {
      form_.RunEvent([radio] { radio->Click(); });
    } else if (auto* check = dynamic_cast<main_window::CheckBox*>(bound->component)) {
      form_.RunEvent([check] { check->Click(); });
    }
  } else if (code == EN_CHANGE && (kind == ControlKind::kEdit || kind == ControlKind::kMemo)) {
    auto* box = static_cast<main_window::TextBox*>(bound->component);
    int length = ::GetWindowTextLengthA(bound->hwnd);
    std::string text(length + 1, '\0');
    text.resize(::GetWindowTextA(bound->hwnd, text.data(), length + 1));
    form_.RunEvent([box, &text] { box->SetText(text); });
  }
}

void SetupWindow::OnNotify(const NMHDR& header) {
  Bound* bound = FindById(static_cast<int>(header.idFrom));
  if (!bound || syncing_) return;
  if (header.code == TCN_SELCHANGE && bound->layout->kind == ControlKind::kPageControl) {
    auto* pages = static_cast<main_window::PageControl*>(bound->component);
    int index = static_cast<int>(::SendMessageA(header.hwndFrom, TCM_GETCURSEL, 0, 0));
    form_.RunEvent([pages, index] { pages->SetActivePageIndex(index); });
  } else if (header.code == LVN_ITEMCHANGED && bound->layout->kind == ControlKind::kListView) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!(change.uChanged & LVIF_STATE) || change.iItem < 0) return;
    bool was = change.uOldState & LVIS_SELECTED, is = change.uNewState & LVIS_SELECTED;
    if (was == is) return;
    auto* list = static_cast<main_window::ListView*>(bound->component);
    int row = change.iItem;
    form_.RunEvent([list, row, is] {
      if (row < list->RowCount()) list->SetSelected(row, is);
    });
  }
}

bool SetupWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  Bound* bound = FindById(static_cast<int>(item.CtlID));
  if (!bound || bound->layout->kind != ControlKind::kLabel) return false;
  auto* label = static_cast<Control*>(bound->component);
  DrawMark(item.hDC, item.rcItem, label->Text() != bound->layout->caption);
  return true;
}

bool SetupWindow::TranslateKey(MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_CHAR) return false;
  if (message.hwnd != window_ && !::IsChild(window_, message.hwnd)) return false;
  WPARAM key = message.wParam;
  bool isKeyDown = message.message == WM_KEYDOWN;
  if (isKeyDown && key == VK_TAB && !(::GetKeyState(VK_CONTROL) & 0x8000)) {
    MoveFocus(::GetKeyState(VK_SHIFT) & 0x8000);
    return true;
  }
  if (isKeyDown && key == VK_ESCAPE) return true;  // Escape does not close the window
  if (isKeyDown && key == VK_RETURN) {
    HWND focus = ::GetFocus();
    Bound* bound = focus ? FindById(::GetDlgCtrlID(focus)) : nullptr;
    if (bound && bound->hwnd == focus && IsPushButton(bound->layout->kind)) {
      auto* button = static_cast<main_window::Button*>(bound->component);
      form_.RunEvent([button] { button->Click(); });
      return true;
    }
    return !(bound && bound->layout->kind == ControlKind::kMemo);
  }
  return false;
}

void SetupWindow::MoveFocus(bool backwards) {
  auto order = TabOrder();
  if (order.empty()) return;
  HWND focus = ::GetFocus();
  auto at = std::find(order.begin(), order.end(), focus);
  size_t index = at == order.end() ? (backwards ? 0 : order.size() - 1) : at - order.begin();
  index = backwards ? (index + order.size() - 1) % order.size() : (index + 1) % order.size();
  ::SetFocus(order[index]);
  if (::SendMessageA(order[index], WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
    ::SendMessageA(order[index], EM_SETSEL, 0, -1);
  }
}

// --- Model -> Win32 -------------------------------------------------------

void SetupWindow::OnModelChange(Control& control, Change change, int row) {
  if (change == Change::kClosed) {
    ::DestroyWindow(window_);
    return;
  }
  if (&control == &form_) {
    if (change == Change::kText) ::SetWindowTextA(window_, form_.Text().c_str());
    return;
  }
  Bound* bound = FindByComponent(&control);
  if (!bound || !bound->hwnd) return;
  Syncing syncing(syncing_);
  auto kind = bound->layout->kind;
  switch (change) {
    case Change::kText: {
      if (kind == ControlKind::kTabSheet) {
        int index = static_cast<int>(&control == control.Parent()->Children().front() ? 0 : 1);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        std::string caption = control.Text();
        item.pszText = caption.data();
        ::SendMessageA(tabs_, TCM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
        break;
      }
      int length = ::GetWindowTextLengthA(bound->hwnd);
      std::string shown(length + 1, '\0');
      shown.resize(::GetWindowTextA(bound->hwnd, shown.data(), length + 1));
      // The user's own typing comes back here; leave the caret alone then.
      if (shown != control.Text()) ::SetWindowTextA(bound->hwnd, control.Text().c_str());
      ::InvalidateRect(bound->hwnd, nullptr, TRUE);
      break;
    }
    case Change::kVisible:
      ApplyVisibility(*bound);
      break;
    case Change::kEnabled:
      ::EnableWindow(bound->hwnd, control.Enabled());
      break;
    case Change::kChecked: {
      bool checked = false;
      if (auto* check = dynamic_cast<main_window::CheckBox*>(&control)) checked = check->Checked();
      if (auto* radio = dynamic_cast<main_window::RadioButton*>(&control)) checked = radio->Checked();
      ::SendMessageA(bound->hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    }
    case Change::kRows:
      RefillList(*bound);
      break;
    case Change::kRow:
      UpdateListRow(*bound, row);
      break;
    case Change::kActivePage:
      ShowActivePage();
      break;
    case Change::kClosed:
      break;
  }
}

void SetupWindow::ApplyVisibility(const Bound& bound) {
  auto* control = static_cast<Control*>(bound.component);
  if (bound.layout->kind == ControlKind::kTabSheet) return;  // shown by the page control
  ::ShowWindow(bound.hwnd, EffectivelyVisible(*control) ? SW_SHOWNA : SW_HIDE);
  // Children of a group box are its siblings on screen.
  for (Control* child : control->Children()) {
    if (Bound* inner = FindByComponent(child); inner && inner->hwnd) ApplyVisibility(*inner);
  }
}

void SetupWindow::RefillList(const Bound& bound) {
  auto* list = static_cast<main_window::ListView*>(bound.component);
  ::SendMessageA(bound.hwnd, LVM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < list->RowCount(); ++i) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = i;
    std::string caption = list->Row(i).caption;
    item.pszText = caption.data();
    item.iImage = list->Row(i).imageIndex;
    ::SendMessageA(bound.hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    UpdateListRow(bound, i);
  }
}

void SetupWindow::UpdateListRow(const Bound& bound, int row) {
  auto* list = static_cast<main_window::ListView*>(bound.component);
  if (row < 0 || row >= list->RowCount()) return;
  const auto& data = list->Row(row);
  int columns = static_cast<int>(resources::SetupWindowListColumns().size());
  for (int column = 0; column < columns; ++column) {
    std::string text = column == 0 ? data.caption
                       : column - 1 < static_cast<int>(data.subItems.size())
                           ? data.subItems[column - 1]
                           : "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text.data();
    ::SendMessageA(bound.hwnd, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  }
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED;
  state.state = data.selected ? LVIS_SELECTED : 0;
  ::SendMessageA(bound.hwnd, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

// --- Lookups ---------------------------------------------------------------

Bound* SetupWindow::FindById(int id) {
  int index = id - kFirstControlId;
  if (index < 0 || index >= static_cast<int>(bound_.size())) return nullptr;
  return &bound_[index];
}

Bound* SetupWindow::FindByComponent(const main_window::Component* component) {
  for (auto& bound : bound_) {
    if (bound.component == component) return &bound;
  }
  return nullptr;
}

Bound* SetupWindow::FindByName(const std::string& name) {
  for (auto& bound : bound_) {
    if (name == bound.layout->name) return &bound;
  }
  return nullptr;
}

// The top-left corner of the layout entry's parent within the window that
// holds it on screen: group boxes add their offsets, a page starts at 0.
POINT SetupWindow::OriginOf(const ControlLayout& layout) {
  POINT origin{0, 0};
  for (Bound* parent = FindByName(layout.parent);
       parent && parent->layout->kind == ControlKind::kGroupBox;
       parent = FindByName(parent->layout->parent)) {
    origin.x += parent->layout->left;
    origin.y += parent->layout->top;
  }
  return origin;
}

HWND SetupWindow::ParentWindowOf(const ControlLayout& layout) {
  for (Bound* parent = FindByName(layout.parent); parent;
       parent = FindByName(parent->layout->parent)) {
    if (parent->layout->kind == ControlKind::kTabSheet) return parent->hwnd;
  }
  return window_;
}

bool SetupWindow::EffectivelyVisible(const Control& control) const {
  for (const Control* at = &control; at && at->Parent(); at = at->Parent()) {
    if (dynamic_cast<const main_window::TabSheet*>(at)) return true;  // the page decides
    if (!at->Visible()) return false;
  }
  return true;
}

int SetupWindow::TabOrderOf(const Control& control) {
  Bound* bound = FindByComponent(&control);
  return bound ? bound->layout->tabOrder : resources::kNoTabStop;
}

// The controls Tab visits, as the toolkit orders them: siblings by tab
// order, containers (page control, active page, group boxes) entered in
// place.
std::vector<HWND> SetupWindow::TabOrder() {
  std::vector<HWND> order;
  AddTabStops(form_, order);
  return order;
}

void SetupWindow::AddTabStops(const Control& container, std::vector<HWND>& order) {
  std::vector<const Control*> children;
  if (auto* pages = dynamic_cast<const main_window::PageControl*>(&container)) {
    int active = pages->ActivePageIndex();
    if (active < static_cast<int>(pages->Children().size())) {
      children.push_back(pages->Children()[active]);
    }
  } else {
    for (const Control* child : container.Children()) {
      if (TabOrderOf(*child) != resources::kNoTabStop) children.push_back(child);
    }
    std::stable_sort(children.begin(), children.end(), [this](const Control* a, const Control* b) {
      return TabOrderOf(*a) < TabOrderOf(*b);
    });
  }
  for (const Control* child : children) {
    Bound* bound = FindByComponent(child);
    if (!bound || !bound->hwnd) continue;
    bool usable = ::IsWindowVisible(bound->hwnd) && ::IsWindowEnabled(bound->hwnd);
    // The button control keeps WS_TABSTOP only on the checked radio button.
    if (bound->layout->kind == ControlKind::kRadioButton) {
      usable = usable && (::GetWindowLongA(bound->hwnd, GWL_STYLE) & WS_TABSTOP);
    }
    if (bound->layout->kind == ControlKind::kTabSheet) usable = ::IsWindowVisible(bound->hwnd);
    if (!usable) continue;
    if (IsFocusable(bound->layout->kind)) order.push_back(bound->hwnd);
    if (!child->Children().empty()) AddTabStops(*child, order);
  }
}

}  // namespace

}  // namespace platform::win32

namespace platform {

void ShowSetupWindow(main_window::Form& form) {
  win32::SetupWindow window(form);
  window.Run();
}

}  // namespace platform
