// The "PDF Printer setup" window as data: the form and every component with
// its kind, parent, caption, position, tab order and initial state. The
// window model is built from it, and the tests compare the real window
// against it.
#pragma once

#include <string>
#include <vector>

#include "toolkit/control_layout.h"

namespace resources {

// The form: its caption, client size and font.
const toolkit::ControlLayout& SetupWindow();

// The window's components in their declared order. A parent always comes
// before its children.
const std::vector<toolkit::ControlLayout>& SetupWindowControls();

// Null when there is no component of that name.
const toolkit::ControlLayout* FindSetupWindowControl(const std::string& name);

// The columns of ListView1, left to right.
const std::vector<toolkit::ColumnLayout>& SetupWindowListColumns();

}  // namespace resources
