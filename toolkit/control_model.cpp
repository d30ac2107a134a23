#include "toolkit/control_model.h"

#include <exception>
#include <stdexcept>

#include "platform/error.h"
#include "platform/services.h"

namespace toolkit {

namespace {

std::string ErrorText(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const platform::Error& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
}

}  // namespace

void Component::WrongKind(const ControlLayout& layout) {
  throw std::logic_error(std::string("A layout of another kind for ") + layout.name);
}

Control::Control(std::string name, Control* parent, ControlLayout layout)
    : Component(std::move(name), std::move(layout)), parent_(parent) {
  if (parent_) parent_->children_.push_back(this);
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Notify(Change::kVisible);
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Notify(Change::kEnabled);
}

void Control::SetText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  Notify(Change::kText);
}

void Control::SetFocus() {
  Control* root = this;
  while (root->Parent()) root = root->Parent();
  auto* form = As<Form>(root);
  if (!form) return;
  form->activeControl_ = this;
  if (form->focusObserver_) form->focusObserver_(*this);
}

void Control::Notify(Change change, int row) {
  if (observer_) observer_(*this, change, row);
}

void TextBox::SetText(const std::string& text) {
  if (Text() == text) return;
  if (text.size() > Capacity()) throw platform::EInvalidOperation("Text exceeds memo capacity");
  StoreText(text);
  Notify(Change::kText);
  if (onChange) onChange(*this);
}

size_t TextBox::Capacity() const {
  return Kind() == ControlKind::kMemo ? kMemoCapacity : std::string().max_size();
}

void Button::Click() {
  if (onClick) onClick(*this);
}

void CheckableButton::SetChecked(bool checked) {
  if (StoreChecked(checked) && onClick) onClick(*this);
}

bool CheckableButton::StoreChecked(bool checked) {
  if (checked_ == checked) return false;
  checked_ = checked;
  Notify(Change::kChecked);
  return true;
}

void RadioButton::SetChecked(bool checked) {
  if (!StoreChecked(checked) || !checked) return;
  if (Parent()) {
    for (Control* sibling : Parent()->Children()) {
      auto* radio = As<RadioButton>(sibling);
      if (radio && radio != this) radio->StoreChecked(false);
    }
  }
  if (onClick) onClick(*this);
}

void ComboBox::SetItemIndex(int index) {
  if (index < 0 || index >= ItemCount()) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  Notify(Change::kItemIndex);
  if (onChange) onChange(*this);
}

void Image::SetPicture(std::shared_ptr<const Graphic> picture) {
  picture_ = std::move(picture);
  Notify(Change::kPicture);
}

void PageControl::SetActivePageIndex(int index) {
  if (index == activePage_ || index < 0 || index >= static_cast<int>(Children().size())) return;
  activePage_ = index;
  Notify(Change::kActivePage);
}

int ListView::SelectedIndex() const {
  for (int i = 0; i < RowCount(); ++i) {
    if (rows_[i].selected) return i;
  }
  return -1;
}

int ListView::AddRow(const ListRow& row) {
  rows_.push_back(row);
  rows_.back().selected = false;
  int index = RowCount() - 1;
  Notify(Change::kRows, index);
  Raise(index, RowChange::kAdded);
  return index;
}

void ListView::RemoveRow(int index) {
  if (index < 0 || index >= RowCount())
    throw std::out_of_range("No list row " + std::to_string(index));
  rows_.erase(rows_.begin() + index);
  Notify(Change::kRows, index);
  Raise(index, RowChange::kRemoved);
}

void ListView::Clear() {
  while (RowCount() > 0) RemoveRow(RowCount() - 1);
}

void ListView::SetSelected(int index, bool selected) {
  if (Row(index).selected == selected) return;
  if (selected) {
    int previous = SelectedIndex();
    if (previous >= 0) SetSelected(previous, false);
  }
  rows_.at(index).selected = selected;
  Notify(Change::kRow, index);
  Raise(index, RowChange::kState);
}

void ListView::SetSubItems(int index, std::vector<std::string> subItems) {
  rows_.at(index).subItems = std::move(subItems);
  Notify(Change::kRow, index);
}

void ListView::SetSubItem(int index, int subItem, const std::string& text) {
  rows_.at(index).subItems.at(subItem) = text;
  Notify(Change::kRow, index);
}

void ListView::Raise(int row, RowChange change) {
  if (onChange) onChange(*this, row, change);
}

int ImageList::Add(RgbaImage image) {
  if (image.width != Width() || image.height != Height() ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
    throw std::invalid_argument("An image of another size for " + Name());
  }
  images_.push_back(std::move(image));
  return static_cast<int>(images_.size()) - 1;
}

bool OpenDialog::Execute() {
  platform::FileDialogRequest request;
  request.title = title;
  request.filter = filter;
  request.filterIndex = filterIndex;
  request.initialFolder = initialDir;
  request.fileName = fileName;
  request.options = options;
  auto chosen = platform::Current().dialogs->OpenFile(request);
  if (!chosen) return false;
  fileName = *chosen;
  return true;
}

Component* Form::FindComponent(const std::string& name) const {
  for (Component* component : order_) {
    if (component->Name() == name) return component;
  }
  return nullptr;
}

void Form::Close() {
  if (closed_) return;
  closed_ = true;
  Notify(Change::kClosed);
}

void Form::RunEvent(const std::function<void()>& event) {
  try {
    event();
  } catch (...) {
    ShowError(std::current_exception());
  }
}

void Form::ShowError(std::exception_ptr error) noexcept {
  try {
    std::string text = ErrorText(error);
    if (errorHandler_) {
      errorHandler_(text);
    } else {
      platform::Current().messageBoxes->Show(
          text, Text(), platform::kMbOk | platform::kMbIconError | platform::kMbTaskModal);
    }
  } catch (...) {
  }
}

void Form::BuildFrom(const ControlLayout& form, const std::vector<ControlLayout>& layout) {
  SetLayout(form);
  SetText(form.caption);
  for (const auto& entry : layout) {
    Control* parent = this;
    if (*entry.parent) parent = Take<Control>(entry.parent);
    std::unique_ptr<Component> made;
    switch (entry.kind) {
      case ControlKind::kForm:
        throw std::logic_error("A form inside the form: " + Name());
      case ControlKind::kPageControl:
        made = std::make_unique<PageControl>(entry.name, parent, entry);
        break;
      case ControlKind::kTabSheet:
        made = std::make_unique<TabSheet>(entry.name, parent, entry);
        break;
      case ControlKind::kGroupBox:
        made = std::make_unique<GroupBox>(entry.name, parent, entry);
        break;
      case ControlKind::kLabel:
        made = std::make_unique<Label>(entry.name, parent, entry);
        break;
      case ControlKind::kEdit:
      case ControlKind::kMemo:
        made = std::make_unique<TextBox>(entry.name, parent, entry);
        break;
      case ControlKind::kButton:
      case ControlKind::kSpeedButton:
        made = std::make_unique<Button>(entry.name, parent, entry);
        break;
      case ControlKind::kRadioButton:
        made = std::make_unique<RadioButton>(entry.name, parent, entry);
        break;
      case ControlKind::kCheckBox:
        made = std::make_unique<CheckBox>(entry.name, parent, entry);
        break;
      case ControlKind::kListView:
        made = std::make_unique<ListView>(entry.name, parent, entry);
        break;
      case ControlKind::kComboBox:
        made = std::make_unique<ComboBox>(entry.name, parent, entry);
        break;
      case ControlKind::kImage:
        made = std::make_unique<Image>(entry.name, parent, entry);
        break;
      case ControlKind::kOpenDialog:
        made = std::make_unique<OpenDialog>(entry.name, entry);
        break;
      case ControlKind::kImageList:
        made = std::make_unique<ImageList>(entry.name, entry);
        break;
    }
    if (auto* list = As<ListView>(made.get()); list && *entry.smallImages) {
      list->SetSmallImages(Take<ImageList>(entry.smallImages));
    }
    // Initial states are set before any handler is wired, so they raise nothing.
    if (auto* control = As<Control>(made.get())) {
      control->SetText(entry.caption);
      control->SetEnabled(entry.enabled);
      control->SetVisible(entry.visible);
      if (auto* button = As<CheckableButton>(control)) button->SetChecked(entry.checked);
    }
    order_.push_back(made.get());
    owned_.push_back(std::move(made));
  }
}

void Form::MissingComponent(const std::string& name) {
  throw std::logic_error("The window has no component " + name + " of that kind");
}

}  // namespace toolkit
