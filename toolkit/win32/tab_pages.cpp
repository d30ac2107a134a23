#include "toolkit/win32/tab_pages.h"

#include <algorithm>
#include <stdexcept>

#include "toolkit/win32/control_ids.h"
#include "toolkit/win32/window_classes.h"

namespace toolkit::win32 {

void TabPagesWindow::Create(const Placement& placement) {
  SetHandle(CreateChildWindow(0, WC_TABCONTROLA, "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS,
                              placement.bounds, placement.parent, Id(), Model().Name()));
  ::SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(placement.font), FALSE);
  for (Control* page : Pages().Children()) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    std::string caption = page->Text();
    item.pszText = caption.data();
    int index = static_cast<int>(::SendMessageA(Handle(), TCM_GETITEMCOUNT, 0, 0));
    ::SendMessageA(Handle(), TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
  }
  // The display area depends on the tabs' font and row.
  ::GetWindowRect(Handle(), &pageArea_);
  ::MapWindowPoints(nullptr, placement.parent, reinterpret_cast<POINT*>(&pageArea_), 2);
  ::SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pageArea_));
}

void TabPagesWindow::AddPage(HWND page) {
  pages_.push_back(page);
  // Pages above the tab control, which would otherwise paint over them.
  ::SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TabPagesWindow::SetTabText(int index, const std::string& text) {
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  std::string caption = text;
  item.pszText = caption.data();
  ::SendMessageA(Handle(), TCM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
}

void TabPagesWindow::OnNotify(const NMHDR& header) {
  if (header.code != TCN_SELCHANGE) return;
  PageControl& pages = Pages();
  int index = static_cast<int>(::SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
  RunEvent([&pages, index] { pages.SetActivePageIndex(index); });
}

void TabPagesWindow::OnChange(Change change, int row) {
  if (change == Change::kActivePage) {
    ShowActivePage();
  } else {
    ControlWindow::OnChange(change, row);
  }
}

void TabPagesWindow::ShowActivePage() {
  int active = Pages().ActivePageIndex();
  ::SendMessageA(Handle(), TCM_SETCURSEL, active, 0);
  for (size_t i = 0; i < pages_.size(); ++i) {
    ::ShowWindow(pages_[i], static_cast<int>(i) == active ? SW_SHOWNA : SW_HIDE);
  }
}

void TabPageWindow::Create(const Placement& placement) {
  if (!placement.owner || placement.owner->Kind() != ControlKind::kPageControl)
    throw std::logic_error(Model().Name() + " is a page outside a page control");
  pages_ = static_cast<TabPagesWindow*>(placement.owner);
  SetHandle(CreateChildWindow(WS_EX_CONTROLPARENT, kPageClass, Model().Layout().caption,
                              WS_CHILD | WS_CLIPSIBLINGS, pages_->PageArea(), placement.parent,
                              Id(), Model().Name(), &FormOf(Model())));
  pages_->AddPage(Handle());
}

void TabPageWindow::OnChange(Change change, int row) {
  if (change != Change::kText) return ControlWindow::OnChange(change, row);
  const auto& siblings = Model().Parent()->Children();
  auto at = std::find(siblings.begin(), siblings.end(), &Model());
  pages_->SetTabText(static_cast<int>(at - siblings.begin()), Model().Text());
}

}  // namespace toolkit::win32
