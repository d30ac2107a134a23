// The "PDF Printer setup" window as data: every component with its kind,
// parent, caption, position, tab order and initial state. The window model
// is built from it, the Win32 binding places the real controls by it, and
// the tests compare both against it.
#pragma once

#include <string>
#include <vector>

namespace resources {

enum class ControlKind {
  kPageControl,
  kTabSheet,
  kGroupBox,
  kLabel,
  kEdit,
  kMemo,
  kButton,
  kSpeedButton,  // a push button that never takes the keyboard focus
  kRadioButton,
  kCheckBox,
  kListView,
  kImage,
  kOpenDialog,  // not visible
  kImageList,   // not visible
};

enum class Alignment { kLeft, kRight, kCenter };

constexpr int kNoTabStop = -1;

struct ControlLayout {
  const char* name = "";
  ControlKind kind = ControlKind::kLabel;
  const char* parent = "";   // "" for the window itself
  const char* caption = "";  // caption, or a text box's initial text
  // Pixels at 96 dpi, relative to the parent's top-left corner: a page's
  // display area, a group box's outer frame. Pages fill their page
  // control's display area and give 0 here.
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int tabOrder = kNoTabStop;  // among the siblings
  bool enabled = true;
  bool visible = true;
  bool checked = false;
  Alignment alignment = Alignment::kLeft;
  bool wordWrap = false;
  const char* fontName = nullptr;  // null: the window's font
  int fontHeight = 0;              // character height in pixels
};

struct ColumnLayout {
  const char* caption;
  int width;
  Alignment alignment;
};

struct WindowLayout {
  const char* title;
  int clientWidth;
  int clientHeight;
  const char* fontName;
  int fontHeight;  // character height in pixels
};

const WindowLayout& SetupWindow();

// The window's 36 components in their declared order. A parent always comes
// before its children.
const std::vector<ControlLayout>& SetupWindowControls();

// Null when there is no component of that name.
const ControlLayout* FindSetupWindowControl(const std::string& name);

// The columns of ListView1, left to right.
const std::vector<ColumnLayout>& SetupWindowListColumns();

}  // namespace resources
