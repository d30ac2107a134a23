// The window toolkit's controls as plain objects: the state the handlers read
// and write, and the events the toolkit raises. A binding (the Win32 window)
// mirrors the state on screen through the change observer and feeds the
// user's actions back in through the same calls a handler would make.
//
// Event rules, as the toolkit has them:
//  - setting a text to the text it already holds raises nothing; any other
//    change of a text box's text raises its change event, by program or user;
//  - checking a radio button clears its siblings (silently) and raises its
//    click; clearing one raises nothing;
//  - changing a check box's state raises its click;
//  - adding, removing, selecting and deselecting list rows raise the list's
//    change event at once; replacing a row's sub-items raises nothing;
//  - choosing another item of a combo box raises its change event, by
//    program or user; choosing the item it shows raises nothing.
// Handlers receive the control that raised the event. Errors a handler
// raises pass through the call that raised the event; Form::RunEvent is where
// they end.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/control_layout.h"
#include "toolkit/graphic.h"
#include "toolkit/rgba_image.h"

namespace toolkit {

class Control;
using Event = std::function<void(Control& sender)>;

// What changed, for the binding.
enum class Change {
  kText,
  kVisible,
  kEnabled,
  kChecked,
  kRows,
  kRow,
  kActivePage,
  kClosed,
  kPicture,
  kItemIndex,
};

// row: the row concerned for kRows and kRow, otherwise -1.
using ChangeObserver = std::function<void(Control& control, Change change, int row)>;

// Anything the window owns, visible or not. It carries the layout entry it
// was built from, which the binding reads (kind, position, fonts, ...); one
// made without an entry carries a default one of its class's first kind.
//
// The kind in the layout is the one record of what a component is: each
// class names the kinds it stands for (Accepts), refuses a layout of another
// kind, and As<T> finds a component's class by its kind.
class Component {
 public:
  virtual ~Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::string& Name() const { return name_; }
  const ControlLayout& Layout() const { return layout_; }
  ControlKind Kind() const { return layout_.kind; }

  static constexpr bool Accepts(ControlKind) { return true; }

 protected:
  Component(std::string name, ControlLayout layout)
      : name_(std::move(name)), layout_(std::move(layout)) {}
  // The layout, when its kind is one that T stands for; raises
  // std::logic_error otherwise.
  template <typename T>
  static ControlLayout KindChecked(ControlLayout layout) {
    if (!T::Accepts(layout.kind)) WrongKind(layout);
    return layout;
  }
  void SetLayout(ControlLayout layout) { layout_ = std::move(layout); }

 private:
  [[noreturn]] static void WrongKind(const ControlLayout& layout);

 private:
  std::string name_;
  ControlLayout layout_;
};

// The component as T when its kind is one of T's; null otherwise (or for null).
template <typename T>
T* As(Component* component) {
  return component && T::Accepts(component->Kind()) ? static_cast<T*>(component) : nullptr;
}
template <typename T>
const T* As(const Component* component) {
  return component && T::Accepts(component->Kind()) ? static_cast<const T*>(component) : nullptr;
}

class Control : public Component {
 public:
  static constexpr bool Accepts(ControlKind kind) {
    return kind != ControlKind::kOpenDialog && kind != ControlKind::kImageList;
  }
  // Registers with the parent, which must outlive it (the window owns both).
  Control(std::string name, Control* parent, ControlLayout layout);

  Control* Parent() const { return parent_; }
  const std::vector<Control*>& Children() const { return children_; }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // The caption, or a text box's contents.
  const std::string& Text() const { return text_; }
  virtual void SetText(const std::string& text);

  // One observer per control; the binding sets it.
  void SetObserver(ChangeObserver observer) { observer_ = std::move(observer); }

  // Asks for the keyboard focus: the window records this control as its
  // active control and tells its focus observer.
  void SetFocus();

 protected:
  void Notify(Change change, int row = -1);
  void StoreText(const std::string& text) { text_ = text; }

 private:
  Control* parent_;
  std::vector<Control*> children_;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  ChangeObserver observer_;
};

class Label : public Control {
 public:
  static constexpr bool Accepts(ControlKind kind) { return kind == ControlKind::kLabel; }
  Label(std::string name, Control* parent, ControlLayout layout = {.kind = ControlKind::kLabel})
      : Control(std::move(name), parent, KindChecked<Label>(std::move(layout))) {}
};

class GroupBox : public Control {
 public:
  static constexpr bool Accepts(ControlKind kind) { return kind == ControlKind::kGroupBox; }
  GroupBox(std::string name, Control* parent,
           ControlLayout layout = {.kind = ControlKind::kGroupBox})
      : Control(std::move(name), parent, KindChecked<GroupBox>(std::move(layout))) {}
};

// A picture box: draws its picture unscaled at its top-left corner.
class Image : public Control {
 public:
  static constexpr bool Accepts(ControlKind kind) { return kind == ControlKind::kImage; }
  Image(std::string name, Control* parent, ControlLayout layout = {.kind = ControlKind::kImage})
      : Control(std::move(name), parent, KindChecked<Image>(std::move(layout))) {}
  // Null while it holds none.
  const std::shared_ptr<const Graphic>& Picture() const { return picture_; }
  // Raises nothing.
  void SetPicture(std::shared_ptr<const Graphic> picture);

 private:
  std::shared_ptr<const Graphic> picture_;
};

// The most a memo holds: 65,535 bytes, what a Windows edit control of the
// 16-bit systems could hold. The Win32 binding sets it as its edit
// control's limit (EM_SETLIMITTEXT), where typing stops.
inline constexpr size_t kMemoCapacity = 65535;

// Single-line text box or memo.
class TextBox : public Control {
 public:
  static constexpr bool Accepts(ControlKind kind) {
    return kind == ControlKind::kEdit || kind == ControlKind::kMemo;
  }
  TextBox(std::string name, Control* parent, ControlLayout layout = {.kind = ControlKind::kEdit})
      : Control(std::move(name), parent, KindChecked<TextBox>(std::move(layout))) {}
  // A memo refuses a longer text than kMemoCapacity with EInvalidOperation
  // "Text exceeds memo capacity" and keeps its text.
  void SetText(const std::string& text) override;
  // The longest text it takes; no limit for a single-line text box.
  size_t Capacity() const;

  Event onChange;
};

// Push button or speed button.
class Button : public Control {
 public:
  static constexpr bool Accepts(ControlKind kind) {
    return kind == ControlKind::kButton || kind == ControlKind::kSpeedButton;
  }
  Button(std::string name, Control* parent, ControlLayout layout = {.kind = ControlKind::kButton})
      : Control(std::move(name), parent, KindChecked<Button>(std::move(layout))) {}
  // A click by the user (or a program acting as one).
  void Click();

  Event onClick;
};

// A button with a check mark: radio button or check box. A change of its
// state raises its click.
class CheckableButton : public Control {
 public:
  static constexpr bool Accepts(ControlKind kind) {
    return kind == ControlKind::kRadioButton || kind == ControlKind::kCheckBox;
  }
  bool Checked() const { return checked_; }
  virtual void SetChecked(bool checked);
  // The user's click.
  virtual void Click() = 0;

  Event onClick;

 protected:
  CheckableButton(std::string name, Control* parent, ControlLayout layout)
      : Control(std::move(name), parent, KindChecked<CheckableButton>(std::move(layout))) {}
  // Sets the state and tells the binding, raising nothing; false when it
  // was already so.
  bool StoreChecked(bool checked);

 private:
  bool checked_ = false;
};

class RadioButton : public CheckableButton {
 public:
  static constexpr bool Accepts(ControlKind kind) { return kind == ControlKind::kRadioButton; }
  RadioButton(std::string name, Control* parent,
              ControlLayout layout = {.kind = ControlKind::kRadioButton})
      : CheckableButton(std::move(name), parent, KindChecked<RadioButton>(std::move(layout))) {}
  // Checking also clears the radio buttons with the same parent (silently)
  // before the click; clearing raises nothing.
  void SetChecked(bool checked) override;
  // Checks it.
  void Click() override { SetChecked(true); }
};

class CheckBox : public CheckableButton {
 public:
  static constexpr bool Accepts(ControlKind kind) { return kind == ControlKind::kCheckBox; }
  CheckBox(std::string name, Control* parent,
           ControlLayout layout = {.kind = ControlKind::kCheckBox})
      : CheckableButton(std::move(name), parent, KindChecked<CheckBox>(std::move(layout))) {}
  // Toggles.
  void Click() override { SetChecked(!Checked()); }
};

class TabSheet : public Control {
 public:
  static constexpr bool Accepts(ControlKind kind) { return kind == ControlKind::kTabSheet; }
  TabSheet(std::string name, Control* parent,
           ControlLayout layout = {.kind = ControlKind::kTabSheet})
      : Control(std::move(name), parent, KindChecked<TabSheet>(std::move(layout))) {}
};

// Its pages are its TabSheet children, in order.
class PageControl : public Control {
 public:
  static constexpr bool Accepts(ControlKind kind) { return kind == ControlKind::kPageControl; }
  PageControl(std::string name, Control* parent,
              ControlLayout layout = {.kind = ControlKind::kPageControl})
      : Control(std::move(name), parent, KindChecked<PageControl>(std::move(layout))) {}
  int ActivePageIndex() const { return activePage_; }
  // Raises nothing; out-of-range indexes are ignored.
  void SetActivePageIndex(int index);

 private:
  int activePage_ = 0;
};

// A drop-down list of fixed items (its layout's), one of them chosen.
class ComboBox : public Control {
 public:
  static constexpr bool Accepts(ControlKind kind) { return kind == ControlKind::kComboBox; }
  ComboBox(std::string name, Control* parent,
           ControlLayout layout = {.kind = ControlKind::kComboBox})
      : Control(std::move(name), parent, KindChecked<ComboBox>(std::move(layout))) {}
  int ItemCount() const { return static_cast<int>(Layout().items.size()); }
  // The chosen item, or -1 for none.
  int ItemIndex() const { return itemIndex_; }
  // An index out of range chooses none.
  void SetItemIndex(int index);

  Event onChange;

 private:
  int itemIndex_ = -1;
};

struct ListRow {
  std::string caption;
  int imageIndex = 0;
  std::vector<std::string> subItems;
  bool selected = false;
};

enum class RowChange { kAdded, kRemoved, kState };

class ImageList;

// A report-mode list with at most one selected row.
class ListView : public Control {
 public:
  static constexpr bool Accepts(ControlKind kind) { return kind == ControlKind::kListView; }
  ListView(std::string name, Control* parent,
           ControlLayout layout = {.kind = ControlKind::kListView})
      : Control(std::move(name), parent, KindChecked<ListView>(std::move(layout))) {}
  using ChangeEvent = std::function<void(Control& sender, int row, RowChange change)>;

  int RowCount() const { return static_cast<int>(rows_.size()); }
  const ListRow& Row(int index) const { return rows_.at(index); }
  // The selected row, or -1.
  int SelectedIndex() const;

  // Appends a row (its selected flag is ignored: rows come in unselected)
  // and returns its index.
  int AddRow(const ListRow& row);
  // Raises kRemoved with the index the row had.
  void RemoveRow(int index);
  void Clear();
  // Selecting a row first deselects the one selected before; every change of
  // a row's state raises kState for that row. No change raises nothing.
  void SetSelected(int index, bool selected);
  // Raises nothing.
  void SetSubItems(int index, std::vector<std::string> subItems);
  void SetSubItem(int index, int subItem, const std::string& text);

  // The rows' pictures (a row's imageIndex indexes it); null for none. Set
  // before the window is shown.
  const ImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(const ImageList* images) { smallImages_ = images; }

  ChangeEvent onChange;

 private:
  void Raise(int row, RowChange change);
  std::vector<ListRow> rows_;
  const ImageList* smallImages_ = nullptr;
};

// The file-open dialog: its settings and the last file chosen.
class OpenDialog : public Component {
 public:
  static constexpr bool Accepts(ControlKind kind) { return kind == ControlKind::kOpenDialog; }
  OpenDialog(std::string name, ControlLayout layout = {.kind = ControlKind::kOpenDialog})
      : Component(std::move(name), KindChecked<OpenDialog>(std::move(layout))) {}
  // Shows the dialog through the platform; false when the user cancels.
  bool Execute();

  std::string filter;
  int filterIndex = 1;
  std::string initialDir;
  std::string title;
  uint32_t options = 0;  // platform::kOfn... flags
  std::string fileName;
};

// Pictures of one size, by index. Filled before the window is shown.
class ImageList : public Component {
 public:
  static constexpr bool Accepts(ControlKind kind) { return kind == ControlKind::kImageList; }
  ImageList(std::string name, ControlLayout layout = {.kind = ControlKind::kImageList})
      : Component(std::move(name), KindChecked<ImageList>(std::move(layout))) {}
  int Width() const { return Layout().width; }
  int Height() const { return Layout().height; }
  // Returns the new image's index. Raises std::invalid_argument for an
  // image of another size.
  int Add(RgbaImage image);
  const std::vector<RgbaImage>& Images() const { return images_; }

 private:
  std::vector<RgbaImage> images_;
};

// The window itself: owns every component, in creation order.
class Form : public Control {
 public:
  static constexpr bool Accepts(ControlKind kind) { return kind == ControlKind::kForm; }
  explicit Form(std::string name)
      : Control(std::move(name), nullptr, {.kind = ControlKind::kForm}) {}

  const std::vector<Component*>& Components() const { return order_; }
  // Null when there is none of that name.
  Component* FindComponent(const std::string& name) const;

  // The general-purpose tag number.
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  // The control the program last gave the keyboard focus, or null.
  Control* ActiveControl() const { return activeControl_; }
  // The binding moves the focus on screen when told.
  void SetFocusObserver(std::function<void(Control&)> observer) {
    focusObserver_ = std::move(observer);
  }

  // Asks the binding to close the window; the session then ends.
  void Close();
  bool Closed() const { return closed_; }

  // Runs one event that comes from outside (the user, the window's
  // creation): any error ends the event and is shown through the error
  // handler, and the window goes on. Nothing escapes.
  void RunEvent(const std::function<void()>& event);

  // Shows the text of an error that ended an event. Unset: a task-modal
  // message box with the error icon, titled with the form's caption.
  using ErrorHandler = std::function<void(const std::string& text)>;
  void SetErrorHandler(ErrorHandler handler) { errorHandler_ = std::move(handler); }
  // Shows the error through the handler; an error of the handler itself is
  // dropped, as nothing is left to show it.
  void ShowError(std::exception_ptr error) noexcept;

 protected:
  // Takes the form's own entry (caption, client size, font) and builds every
  // component of the layout table, in its order.
  void BuildFrom(const ControlLayout& form, const std::vector<ControlLayout>& layout);
  // The component of that name as the type the caller expects.
  template <typename T>
  T* Take(const std::string& name) const {
    T* component = As<T>(FindComponent(name));
    if (!component) MissingComponent(name);
    return component;
  }

 private:
  [[noreturn]] static void MissingComponent(const std::string& name);
  std::vector<std::unique_ptr<Component>> owned_;
  std::vector<Component*> order_;
  int tag_ = 0;
  bool closed_ = false;
  ErrorHandler errorHandler_;
  Control* activeControl_ = nullptr;
  std::function<void(Control&)> focusObserver_;
  friend class Control;
};

// The class that stands for a kind of component: ClassOf<ControlKind::kEdit>
// is TextBox.
template <ControlKind>
struct KindClass;
#define PDFPRINTER_KIND_CLASS(kind, Class) \
  template <>                              \
  struct KindClass<ControlKind::kind> {    \
    using type = Class;                    \
  };
PDFPRINTER_KIND_CLASS(kForm, Form)
PDFPRINTER_KIND_CLASS(kPageControl, PageControl)
PDFPRINTER_KIND_CLASS(kTabSheet, TabSheet)
PDFPRINTER_KIND_CLASS(kGroupBox, GroupBox)
PDFPRINTER_KIND_CLASS(kLabel, Label)
PDFPRINTER_KIND_CLASS(kEdit, TextBox)
PDFPRINTER_KIND_CLASS(kMemo, TextBox)
PDFPRINTER_KIND_CLASS(kButton, Button)
PDFPRINTER_KIND_CLASS(kSpeedButton, Button)
PDFPRINTER_KIND_CLASS(kRadioButton, RadioButton)
PDFPRINTER_KIND_CLASS(kCheckBox, CheckBox)
PDFPRINTER_KIND_CLASS(kListView, ListView)
PDFPRINTER_KIND_CLASS(kComboBox, ComboBox)
PDFPRINTER_KIND_CLASS(kImage, Image)
PDFPRINTER_KIND_CLASS(kOpenDialog, OpenDialog)
PDFPRINTER_KIND_CLASS(kImageList, ImageList)
#undef PDFPRINTER_KIND_CLASS
template <ControlKind kind>
using ClassOf = typename KindClass<kind>::type;

}  // namespace toolkit
