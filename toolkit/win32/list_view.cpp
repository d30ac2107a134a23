#include "toolkit/win32/list_view.h"

namespace toolkit::win32 {

void ListViewWindow::Create(const Placement& placement) {
  CreateControl(WC_LISTVIEWA,
                WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                WS_EX_CLIENTEDGE, placement, "", placement.font);
  ::SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                 LVS_EX_FULLROWSELECT);
  int index = 0;
  for (const auto& column : Model().Layout().columns) InsertColumn(index++, column);
  if (const ImageList* images = List().SmallImages()) SetSmallImages(MakeImageList(*images));
  ShowRows();  // the rows the model got before the window was made
}

void ListViewWindow::OnNotify(const NMHDR& header) {
  if (header.code != LVN_ITEMCHANGED) return;
  const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
  if (!(change.uChanged & LVIF_STATE)) return;
  bool was = change.uOldState & LVIS_SELECTED, is = change.uNewState & LVIS_SELECTED;
  if (was == is) return;
  ListView& list = List();
  // Row -1 stands for every row: only a deselection comes that way.
  int row = change.iItem >= 0 ? change.iItem : is ? -1 : list.SelectedIndex();
  if (row < 0) return;
  RunEvent([&list, row, is] {
    if (row < list.RowCount()) list.SetSelected(row, is);
  });
}

void ListViewWindow::OnChange(Change change, int row) {
  if (change == Change::kRows) {
    ShowRowsChanged(row);
  } else if (change == Change::kRow) {
    ShowRow(row);
  } else {
    ControlWindow::OnChange(change, row);
  }
}

// The model adds and removes one row at a time; anything else is shown anew.
void ListViewWindow::ShowRowsChanged(int row) {
  int shown = ItemCount();
  if (List().RowCount() == shown + 1 && row >= 0 && row <= shown) {
    InsertItem(row, List().Row(row).caption, List().Row(row).imageIndex);
    ShowRow(row);
  } else if (List().RowCount() == shown - 1 && row >= 0 && row < shown) {
    DeleteItem(row);
  } else {
    ShowRows();
  }
}

void ListViewWindow::ShowRows() {
  DeleteAllItems();
  for (int i = 0; i < List().RowCount(); ++i) {
    InsertItem(i, List().Row(i).caption, List().Row(i).imageIndex);
    ShowRow(i);
  }
}

void ListViewWindow::ShowRow(int row) {
  if (row < 0 || row >= List().RowCount()) return;
  const ListRow& data = List().Row(row);
  int columns = static_cast<int>(Model().Layout().columns.size());
  for (int column = 0; column < columns; ++column) {
    size_t subItem = column - 1;
    SetSubItem(row, column,
               column == 0                      ? data.caption
               : subItem < data.subItems.size() ? data.subItems[subItem]
                                                : "");
  }
  if (Selected(row) != data.selected) SetSelected(row, data.selected);
}

void ListViewWindow::InsertColumn(int index, const ColumnLayout& column) {
  LVCOLUMNA item{};
  item.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  item.fmt = column.alignment == Alignment::kCenter  ? LVCFMT_CENTER
             : column.alignment == Alignment::kRight ? LVCFMT_RIGHT
                                                     : LVCFMT_LEFT;
  item.cx = column.width;
  std::string caption = column.caption;
  item.pszText = caption.data();
  ::SendMessageA(Handle(), LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&item));
}

void ListViewWindow::InsertItem(int index, const std::string& caption, int imageIndex) {
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = index;
  std::string text = caption;
  item.pszText = text.data();
  item.iImage = imageIndex;
  ::SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void ListViewWindow::SetSubItem(int row, int column, const std::string& text) {
  LVITEMA item{};
  item.iSubItem = column;
  std::string copy = text;
  item.pszText = copy.data();
  ::SendMessageA(Handle(), LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

// A selected row also takes the focus mark, where the arrow keys go on
// from, and is scrolled into view.
void ListViewWindow::SetSelected(int row, bool selected) {
  LVITEMA state{};
  state.stateMask = selected ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
  state.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  ::SendMessageA(Handle(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  if (selected) ::SendMessageA(Handle(), LVM_ENSUREVISIBLE, row, FALSE);
}

bool ListViewWindow::Selected(int row) const {
  return ::SendMessageA(Handle(), LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED;
}

int ListViewWindow::ItemCount() const {
  return static_cast<int>(::SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0));
}

void ListViewWindow::DeleteItem(int row) { ::SendMessageA(Handle(), LVM_DELETEITEM, row, 0); }

void ListViewWindow::DeleteAllItems() { ::SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0); }

void ListViewWindow::SetSmallImages(ScopedImageList images) {
  ::SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(images.Release()));
}

}  // namespace toolkit::win32
