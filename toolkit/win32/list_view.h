// A list view in report mode: columns from its layout, the model's rows
// with their sub-items, pictures from the model's image list, and one
// selected row, both ways: the model's selection shows, and selecting a row
// on screen (a click, the arrow keys) selects it in the model, which raises
// the list's change event.
#pragma once

#include <string>

#include "toolkit/win32/control_window.h"
#include "toolkit/win32/image_list.h"

namespace toolkit::win32 {

class ListViewWindow : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;
  void Create(const Placement& placement) override;
  void OnNotify(const NMHDR& header) override;
  void OnChange(Change change, int row) override;

  // The list view's own operations.
  void InsertColumn(int index, const ColumnLayout& column);
  void InsertItem(int index, const std::string& caption, int imageIndex);
  // Column 0 is the row's caption, column n its sub-item n.
  void SetSubItem(int row, int column, const std::string& text);
  void SetSelected(int row, bool selected);
  bool Selected(int row) const;
  int ItemCount() const;
  void DeleteItem(int row);
  void DeleteAllItems();
  // The list view owns the image list from then on.
  void SetSmallImages(ScopedImageList images);

 private:
  ListView& List() const { return static_cast<ListView&>(Model()); }
  void ShowRowsChanged(int row);
  void ShowRows();
  void ShowRow(int row);
};

}  // namespace toolkit::win32
