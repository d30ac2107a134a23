// A page control: a tab control with one tab per page, and its pages as
// windows (of the class kPageClass) over its display area, the active one
// shown. A click on a tab makes its page the model's active page.
#pragma once

#include <string>
#include <vector>

#include "toolkit/win32/control_window.h"

namespace toolkit::win32 {

class TabPagesWindow : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;
  // Makes the tab control with every page's tab; the pages come after.
  void Create(const Placement& placement) override;
  void Ready() override { ShowActivePage(); }
  void OnNotify(const NMHDR& header) override;
  void OnChange(Change change, int row) override;

  // The pages' place, in the client area of the tab control's parent.
  const RECT& PageArea() const { return pageArea_; }
  // The next page's window, which goes above the tab control.
  void AddPage(HWND page);
  void SetTabText(int index, const std::string& text);

 private:
  PageControl& Pages() const { return static_cast<PageControl&>(Model()); }
  void ShowActivePage();

  RECT pageArea_{};
  std::vector<HWND> pages_;
};

class TabPageWindow : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;
  // Its owner is its page control's window.
  void Create(const Placement& placement) override;
  void OnChange(Change change, int row) override;
  // The page control shows and hides its pages.
  void ShowAs(bool) override {}

 private:
  TabPagesWindow* pages_ = nullptr;
};

}  // namespace toolkit::win32
