#include "resources/setup_window_layout.h"

namespace resources {

namespace {
using toolkit::ControlLayout;
using K = toolkit::ControlKind;
using A = toolkit::Alignment;
}  // namespace

const ControlLayout& SetupWindow() {
  static const ControlLayout layout{.name = "FrmMain",
                                    .kind = K::kForm,
                                    .caption = "PDF Printer setup",
                                    .width = 402,
                                    .height = 556,
                                    .fontName = "MS Sans Serif",
                                    .fontHeight = 11};
  return layout;
}

const std::vector<ControlLayout>& SetupWindowControls() {
  static const std::vector<ControlLayout> controls{
#define PDFPRINTER_CONTROL(name_, kind_, ...) {.name = #name_, .kind = K::kind_, __VA_ARGS__},
#include "resources/setup_window_controls.def"
  };
  return controls;
}

const ControlLayout* FindSetupWindowControl(const std::string& name) {
  for (const auto& control : SetupWindowControls()) {
    if (name == control.name) return &control;
  }
  return nullptr;
}

const std::vector<toolkit::ColumnLayout>& SetupWindowListColumns() {
  return FindSetupWindowControl("ListView1")->columns;
}

}  // namespace resources
