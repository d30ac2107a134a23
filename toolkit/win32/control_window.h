// One control of a form on screen: its window, the model component it shows,
// and the two directions between them. The window procedure hands it the
// notifications of its window (Win32 -> model); the form hands it the model's
// changes (model -> Win32). Each kind of control derives its own.
#pragma once

#include <functional>
#include <string>

#include "platform/win32/windows_api.h"
#include "toolkit/control_model.h"

namespace toolkit::win32 {

class ControlWindow;

// Where a control's window goes.
struct Placement {
  HWND parent = nullptr;           // the window that holds it: a page's or the form's
  RECT bounds{};                   // in the parent's client area
  HFONT font = nullptr;            // the form's
  bool groupStart = true;          // the arrow keys stop here (WS_GROUP)
  ControlWindow* owner = nullptr;  // the window of the model parent, if any
};

class ControlWindow {
 public:
  ControlWindow(Control& model, int id) : model_(model), id_(id) {}
  virtual ~ControlWindow() = default;
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  // Makes the window, not yet shown. Raises platform::Error when it cannot.
  virtual void Create(const Placement& placement) = 0;
  // Once every control of the form exists.
  virtual void Ready() {}

  HWND Handle() const { return window_; }
  int Id() const { return id_; }
  Control& Model() const { return model_; }
  ControlKind Kind() const { return model_.Kind(); }

  // Win32 -> model. By default nothing.
  virtual void OnCommand(int /*code*/) {}
  virtual void OnNotify(const NMHDR& /*header*/) {}
  // True when drawn.
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }

  // Model -> Win32. By default the caption and the enabled state; the form
  // handles visibility through ShowAs.
  virtual void OnChange(Change change, int row);
  virtual void ShowAs(bool visible);

  // The window's text, as the model holds it. By default through the ANSI
  // calls (the program's code page).
  virtual std::string ShownText() const;
  virtual void ShowText(const std::string& text);

 protected:
  // Creates a child window with WS_CHILD (and WS_GROUP at a group start),
  // the font, and the model's enabled state.
  void CreateControl(const char* className, DWORD style, DWORD exStyle, const Placement& placement,
                     const std::string& text, HFONT font);
  void SetHandle(HWND window) { window_ = window; }
  // Runs a model call as an event of the form the control belongs to.
  void RunEvent(const std::function<void()>& event);

 private:
  Control& model_;
  int id_;
  HWND window_ = nullptr;
};

// The window's text.
std::string WindowText(HWND window);

// The form at the root of the control's parents.
Form& FormOf(Control& control);

}  // namespace toolkit::win32
