#include "resources/setup_window_layout.h"

namespace resources {

namespace {
using toolkit::ControlLayout;
using K = toolkit::ControlKind;
using A = toolkit::Alignment;
}  // namespace

const ControlLayout& SetupWindow() {
  static const ControlLayout layout{.name = "FrmMain", .kind = K::kForm,
                                    .caption = "PDF Printer setup", .width = 402, .height = 462,
                                    .fontName = "MS Sans Serif", .fontHeight = 11};
  return layout;
}

// clang-format off
const std::vector<ControlLayout>& SetupWindowControls() {
  static const std::vector<ControlLayout> controls{
    {.name = "BtnClose", .kind = K::kButton, .caption = "OK",
     .left = 327, .top = 437, .width = 75, .height = 25, .tabOrder = 0},
    {.name = "OpenDialog1", .kind = K::kOpenDialog},
    {.name = "ImageList1", .kind = K::kImageList, .width = 16, .height = 16},
    {.name = "PageControl1", .kind = K::kPageControl,
     .left = 0, .top = 0, .width = 402, .height = 435, .tabOrder = 1},
    {.name = "TabSheet1", .kind = K::kTabSheet, .parent = "PageControl1",
     .caption = "PDF Printer", .tabOrder = 0},
    {.name = "TabSheet2", .kind = K::kTabSheet, .parent = "PageControl1",
     .caption = "Batch converter", .tabOrder = 1},
    {.name = "GroupBox1", .kind = K::kGroupBox, .parent = "TabSheet1",
     .caption = "Ghostscript location", .left = 1, .top = -1, .width = 388, .height = 95,
     .tabOrder = 0},
    {.name = "Label1", .kind = K::kLabel, .parent = "GroupBox1",
     .caption = "You must have Ghostscript installed. ",
     .left = 9, .top = 18, .width = 174, .height = 13},
    {.name = "Label2", .kind = K::kLabel, .parent = "GroupBox1", .caption = "\xFD",
     .left = 10, .top = 45, .width = 38, .height = 47,
     .fontName = "Wingdings", .fontHeight = 43, .mark = {.cross = "\xFD", .check = "\xFE"}},
    {.name = "Label3", .kind = K::kLabel, .parent = "GroupBox1", .caption = "Location:",
     .left = 52, .top = 60, .width = 44, .height = 13},
    {.name = "BtnGhostFind", .kind = K::kSpeedButton, .parent = "GroupBox1", .caption = "...",
     .left = 357, .top = 58, .width = 24, .height = 21},
    {.name = "EditGhost", .kind = K::kEdit, .parent = "GroupBox1",
     .left = 101, .top = 58, .width = 254, .height = 21, .tabOrder = 0},
    {.name = "GroupBox2", .kind = K::kGroupBox, .parent = "TabSheet1",
     .caption = "Installed ports/printers", .left = 1, .top = 96, .width = 388, .height = 195,
     .tabOrder = 1},
    {.name = "Label4", .kind = K::kLabel, .parent = "GroupBox2",
     .caption = "Add a port first and then you can add a PDF printer.",
     .left = 6, .top = 23, .width = 243, .height = 13},
    {.name = "ListView1", .kind = K::kListView, .parent = "GroupBox2",
     .left = 6, .top = 40, .width = 376, .height = 121, .tabOrder = 0,
     .columns = {{"Port name", 60, A::kLeft},
                 {"Printer name", 100, A::kLeft},
                 {"Save in", 125, A::kLeft},
                 {"Show PDF", 65, A::kCenter}},
     .smallImages = "ImageList1"},
    {.name = "BtnGetPrinters", .kind = K::kButton, .parent = "GroupBox2", .caption = "Refresh",
     .left = 311, .top = 13, .width = 71, .height = 21, .tabOrder = 1},
    {.name = "BtnAddPort", .kind = K::kButton, .parent = "GroupBox2", .caption = "Add new port",
     .left = 8, .top = 163, .width = 75, .height = 25, .tabOrder = 2},
    {.name = "BtnDelPort", .kind = K::kButton, .parent = "GroupBox2", .caption = "Delete port",
     .left = 91, .top = 163, .width = 75, .height = 25, .tabOrder = 3, .enabled = false},
    {.name = "BtnAddPrinter", .kind = K::kButton, .parent = "GroupBox2",
     .caption = "Add PDF printer...",
     .left = 275, .top = 163, .width = 105, .height = 25, .tabOrder = 4},
    {.name = "GroupBox3", .kind = K::kGroupBox, .parent = "TabSheet1",
     .caption = "Printer details", .left = 1, .top = 296, .width = 388, .height = 104,
     .tabOrder = 2},
    {.name = "BtnSelDir", .kind = K::kSpeedButton, .parent = "GroupBox3", .caption = "...",
     .left = 348, .top = 16, .width = 21, .height = 21},
    {.name = "Label5", .kind = K::kLabel, .parent = "GroupBox3", .caption = "Save in folder:",
     .left = 9, .top = 19, .width = 68, .height = 13, .alignment = A::kRight},
    {.name = "Label6", .kind = K::kLabel, .parent = "GroupBox3", .caption = "Save as:",
     .left = 35, .top = 42, .width = 42, .height = 13, .alignment = A::kRight},
    {.name = "RBTprompt", .kind = K::kRadioButton, .parent = "GroupBox3",
     .caption = "Prompt for file name",
     .left = 80, .top = 42, .width = 113, .height = 17, .tabOrder = 0},
    {.name = "RBTSaveAs", .kind = K::kRadioButton, .parent = "GroupBox3",
     .caption = "pdf_xx.pdf (eg pdf_01.pdf) ",
     .left = 80, .top = 59, .width = 179, .height = 17, .tabOrder = 1},
    {.name = "EditSaveTo", .kind = K::kEdit, .parent = "GroupBox3",
     .left = 79, .top = 15, .width = 267, .height = 21, .tabOrder = 2},
    {.name = "CHBShowPDF", .kind = K::kCheckBox, .parent = "GroupBox3",
     .caption = "Show PDF after creation",
     .left = 8, .top = 81, .width = 142, .height = 17, .tabOrder = 3, .checked = true},
    {.name = "Button1", .kind = K::kButton, .parent = "GroupBox3", .caption = "Properties...",
     .left = 292, .top = 73, .width = 89, .height = 26, .tabOrder = 4},
    {.name = "GroupBox4", .kind = K::kGroupBox, .parent = "TabSheet2", .caption = "What is it?",
     .left = 3, .top = 5, .width = 389, .height = 126, .tabOrder = 0},
    {.name = "Image1", .kind = K::kImage, .parent = "GroupBox4",
     .left = 10, .top = 21, .width = 153, .height = 95},
    {.name = "Label7", .kind = K::kLabel, .parent = "GroupBox4",
     .caption = "The batch converter allows files such as Word documents to be converted "
                "directly into PDFs from Windows Explorer.\r\n\r\n"
                "Select the file types that you would like to convert in the list below.",
     .left = 176, .top = 19, .width = 201, .height = 93, .wordWrap = true},
    {.name = "GroupBox5", .kind = K::kGroupBox, .parent = "TabSheet2", .caption = "File types",
     .left = 3, .top = 137, .width = 389, .height = 260, .tabOrder = 1},
    {.name = "MemFiles", .kind = K::kMemo, .parent = "GroupBox5", .caption = ".doc\r\n.txt\r\n",
     .left = 10, .top = 21, .width = 152, .height = 223, .tabOrder = 0},
    {.name = "Label8", .kind = K::kLabel, .parent = "GroupBox5",
     .caption = "Enter the type of files that you want to be able to convert to PDFs - just "
                "use the file exiension, for example .doc\r\n\r\n"
                "To update changes you must re-register the context object by clicking the "
                "button below.",
     .left = 174, .top = 19, .width = 201, .height = 93, .wordWrap = true},
    {.name = "BtnRegister", .kind = K::kButton, .parent = "GroupBox5",
     .caption = "Reregister context object",
     .left = 184, .top = 142, .width = 177, .height = 25, .tabOrder = 1, .enabled = false},
    {.name = "Label9", .kind = K::kLabel, .parent = "GroupBox5",
     .caption = "If the registration fails then please close any explorer windows that are "
                "open and also check that each filetype consists only of a dot and an "
                "extension (ie .doc, not *.doc)",
     .left = 175, .top = 179, .width = 208, .height = 65, .wordWrap = true},
  };
  return controls;
}
// clang-format on

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
