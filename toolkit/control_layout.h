// A window described as data: the form and every component with its kind,
// parent, caption, position, tab order, initial state and the facts of its
// kind (font, list columns, symbol mark). The control model is built from
// it, and a binding places the real controls by what the model's components
// carry of it.
#pragma once

#include <vector>

namespace toolkit {

enum class ControlKind {
  kForm,  // the window itself
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
  kComboBox,  // a drop-down list to choose one of its items from
  kImage,
  kOpenDialog,  // not visible
  kImageList,   // not visible
};

enum class Alignment { kLeft, kRight, kCenter };

constexpr int kNoTabStop = -1;

struct ColumnLayout {
  const char* caption;
  int width;
  Alignment alignment;
};

// A label that shows one of two signs of a symbol font: a box with a cross
// or a box with a check mark. Where the font or its signs are missing, the
// binding draws the box itself.
struct SymbolMark {
  const char* cross = nullptr;  // null: not a mark
  const char* check = nullptr;
};

struct ControlLayout {
  const char* name = "";
  ControlKind kind = ControlKind::kLabel;
  const char* parent = "";   // "" for the window itself
  const char* caption = "";  // caption, or a text box's initial text
  // Pixels at 96 dpi, relative to the parent's top-left corner: a page's
  // display area, a group box's outer frame. Pages fill their page
  // control's display area and give 0 here. The form gives its client size.
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
  const char* fontName = nullptr;  // null: the form's font
  int fontHeight = 0;              // character height in pixels
  SymbolMark mark{};
  // List view: its columns, left to right, and the image list of its rows'
  // small pictures ("" for none).
  std::vector<ColumnLayout> columns{};
  const char* smallImages = "";
  // Combo box: its items, top to bottom; height is that of its closed box.
  std::vector<const char*> items{};
};

}  // namespace toolkit
