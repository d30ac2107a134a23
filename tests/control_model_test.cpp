#include "toolkit/control_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/error.h"

namespace {

using toolkit::Change;
using toolkit::Control;
using toolkit::RowChange;

// A small window with one control of each kind that raises events; every
// event is logged as "<sender> <event>".
struct Window {
  Window() {
    auto log = [this](const char* event) {
      return [this, event](Control& sender) { events.push_back(sender.Name() + " " + event); };
    };
    edit.onChange = log("change");
    memo.onChange = log("change");
    button.onClick = log("click");
    radioA.onClick = log("click");
    radioB.onClick = log("click");
    otherRadio.onClick = log("click");
    check.onClick = log("click");
    list.onChange = [this](Control& sender, int row, RowChange change) {
      static const char* kNames[] = {"added", "removed", "state"};
      events.push_back(sender.Name() + " " + kNames[static_cast<int>(change)] + " " +
                       std::to_string(row));
    };
  }
  toolkit::Form form{"Form"};
  toolkit::GroupBox group{"Group", &form};
  toolkit::TextBox edit{"Edit", &form};
  toolkit::TextBox memo{"Memo", &form, {.kind = toolkit::ControlKind::kMemo}};
  toolkit::Label label{"Label", &form};
  toolkit::Button button{"Button", &form};
  toolkit::RadioButton radioA{"RadioA", &group};
  toolkit::RadioButton radioB{"RadioB", &group};
  toolkit::RadioButton otherRadio{"OtherRadio", &form};
  toolkit::CheckBox check{"Check", &form};
  toolkit::ListView list{"List", &form};
  std::vector<std::string> events;
};

struct EventCase {
  const char* what;
  std::function<void(Window&)> arrange;  // runs before the log is cleared
  std::function<void(Window&)> act;
  std::vector<std::string> events;
  std::function<void(Window&)> check;  // more expectations on the state
};

toolkit::ListRow Row(const std::string& caption, bool selected = false) {
  toolkit::ListRow row;
  row.caption = caption;
  row.selected = selected;
  return row;
}

void AddRows(Window& w, int count) {
  for (int i = 0; i < count; ++i) w.list.AddRow(Row("PPP" + std::to_string(i + 1) + ":"));
}

const EventCase kEventCases[] = {
    {"text box set to another text",
     nullptr,
     [](Window& w) { w.edit.SetText("a"); },
     {"Edit change"},
     [](Window& w) { EXPECT_EQ(w.edit.Text(), "a"); }},
    {"text box set to the text it holds",
     [](Window& w) { w.edit.SetText("a"); },
     [](Window& w) { w.edit.SetText("a"); },
     {},
     nullptr},
    {"empty text box set to empty", nullptr, [](Window& w) { w.edit.SetText(""); }, {}, nullptr},
    {"text box cleared",
     [](Window& w) { w.edit.SetText("a"); },
     [](Window& w) { w.edit.SetText(""); },
     {"Edit change"},
     nullptr},
    {"memo filled to its capacity",
     nullptr,
     [](Window& w) { w.memo.SetText(std::string(toolkit::kMemoCapacity, 'x')); },
     {"Memo change"},
     nullptr},
    {"memo refuses a longer text and keeps its own",
     [](Window& w) { w.memo.SetText("kept"); },
     [](Window& w) {
       try {
         w.memo.SetText(std::string(toolkit::kMemoCapacity + 1, 'x'));
         ADD_FAILURE() << "no error";
       } catch (const platform::EInvalidOperation& e) {
         EXPECT_EQ(e.Message(), "Text exceeds memo capacity");
       }
     },
     {},
     [](Window& w) { EXPECT_EQ(w.memo.Text(), "kept"); }},
    {"a single-line text box has no such limit",
     nullptr,
     [](Window& w) { w.edit.SetText(std::string(toolkit::kMemoCapacity + 1, 'x')); },
     {"Edit change"},
     nullptr},
    {"label text raises nothing",
     nullptr,
     [](Window& w) { w.label.SetText("x"); },
     {},
     [](Window& w) { EXPECT_EQ(w.label.Text(), "x"); }},
    {"button click", nullptr, [](Window& w) { w.button.Click(); }, {"Button click"}, nullptr},
    {"hiding and disabling raise nothing",
     nullptr,
     [](Window& w) {
       w.button.SetVisible(false);
       w.button.SetEnabled(false);
     },
     {},
     [](Window& w) { EXPECT_FALSE(w.button.Visible() || w.button.Enabled()); }},
    {"checking a radio button",
     nullptr,
     [](Window& w) { w.radioA.SetChecked(true); },
     {"RadioA click"},
     [](Window& w) { EXPECT_TRUE(w.radioA.Checked()); }},
    {"checking a sibling clears the other silently",
     [](Window& w) { w.radioA.SetChecked(true); },
     [](Window& w) { w.radioB.SetChecked(true); },
     {"RadioB click"},
     [](Window& w) {
       EXPECT_FALSE(w.radioA.Checked());
       EXPECT_TRUE(w.radioB.Checked());
     }},
    {"radio buttons of another parent stay checked",
     [](Window& w) { w.otherRadio.SetChecked(true); },
     [](Window& w) { w.radioA.Click(); },
     {"RadioA click"},
     [](Window& w) { EXPECT_TRUE(w.otherRadio.Checked()); }},
    {"checking a checked radio button",
     [](Window& w) { w.radioA.SetChecked(true); },
     [](Window& w) { w.radioA.Click(); },
     {},
     nullptr},
    {"clearing a radio button",
     [](Window& w) { w.radioA.SetChecked(true); },
     [](Window& w) { w.radioA.SetChecked(false); },
     {},
     [](Window& w) { EXPECT_FALSE(w.radioA.Checked() || w.radioB.Checked()); }},
    {"checking a check box",
     nullptr,
     [](Window& w) { w.check.SetChecked(true); },
     {"Check click"},
     nullptr},
    {"clearing a check box",
     [](Window& w) { w.check.SetChecked(true); },
     [](Window& w) { w.check.SetChecked(false); },
     {"Check click"},
     nullptr},
    {"check box set to its state",
     [](Window& w) { w.check.SetChecked(true); },
     [](Window& w) { w.check.SetChecked(true); },
     {},
     nullptr},
    {"clicking a check box toggles it",
     nullptr,
     [](Window& w) { w.check.Click(); },
     {"Check click"},
     [](Window& w) { EXPECT_TRUE(w.check.Checked()); }},
    {"adding rows",
     nullptr,
     [](Window& w) { AddRows(w, 2); },
     {"List added 0", "List added 1"},
     [](Window& w) {
       EXPECT_EQ(w.list.RowCount(), 2);
       EXPECT_EQ(w.list.SelectedIndex(), -1);
     }},
    {"added rows come in unselected",
     nullptr,
     [](Window& w) { w.list.AddRow(Row("PPP1:", true)); },
     {"List added 0"},
     [](Window& w) { EXPECT_EQ(w.list.SelectedIndex(), -1); }},
    {"selecting a row",
     [](Window& w) { AddRows(w, 2); },
     [](Window& w) { w.list.SetSelected(1, true); },
     {"List state 1"},
     [](Window& w) { EXPECT_EQ(w.list.SelectedIndex(), 1); }},
    {"selecting another row deselects the first",
     [](Window& w) {
       AddRows(w, 3);
       w.list.SetSelected(0, true);
     },
     [](Window& w) { w.list.SetSelected(2, true); },
     {"List state 0", "List state 2"},
     [](Window& w) {
       EXPECT_FALSE(w.list.Row(0).selected);
       EXPECT_EQ(w.list.SelectedIndex(), 2);
     }},
    {"selecting the selected row",
     [](Window& w) {
       AddRows(w, 1);
       w.list.SetSelected(0, true);
     },
     [](Window& w) { w.list.SetSelected(0, true); },
     {},
     nullptr},
    {"deselecting a row",
     [](Window& w) {
       AddRows(w, 1);
       w.list.SetSelected(0, true);
     },
     [](Window& w) { w.list.SetSelected(0, false); },
     {"List state 0"},
     [](Window& w) { EXPECT_EQ(w.list.SelectedIndex(), -1); }},
    {"removing a row",
     [](Window& w) { AddRows(w, 3); },
     [](Window& w) { w.list.RemoveRow(1); },
     {"List removed 1"},
     [](Window& w) {
       ASSERT_EQ(w.list.RowCount(), 2);
       EXPECT_EQ(w.list.Row(1).caption, "PPP3:");
     }},
    {"clearing the list",
     [](Window& w) { AddRows(w, 2); },
     [](Window& w) { w.list.Clear(); },
     {"List removed 1", "List removed 0"},
     nullptr},
    {"replacing sub-items raises nothing",
     [](Window& w) { AddRows(w, 1); },
     [](Window& w) {
       w.list.SetSubItems(0, {"PDF Printer", "c:\\", "Yes"});
       w.list.SetSubItem(0, 2, "No");
     },
     {},
     [](Window& w) {
       EXPECT_EQ(w.list.Row(0).subItems, (std::vector<std::string>{"PDF Printer", "c:\\", "No"}));
     }},
};

TEST(ControlModelTest, EventsFollowTheToolkitRules) {
  for (const auto& c : kEventCases) {
    SCOPED_TRACE(c.what);
    Window w;
    if (c.arrange) c.arrange(w);
    w.events.clear();
    c.act(w);
    EXPECT_EQ(w.events, c.events);
    if (c.check) c.check(w);
  }
}

TEST(ControlModelTest, ObserverSeesEveryChangeButNoRepeats) {
  Window w;
  std::vector<std::string> seen;
  auto observe = [&seen](Control& control, Change change, int row) {
    seen.push_back(control.Name() + " " + std::to_string(static_cast<int>(change)) + " " +
                   std::to_string(row));
  };
  w.edit.SetObserver(observe);
  w.radioA.SetObserver(observe);
  w.list.SetObserver(observe);
  w.edit.SetText("a");
  w.edit.SetText("a");
  w.radioB.SetChecked(true);
  w.radioA.SetChecked(true);  // radioA on, radioB off (not observed)
  w.list.AddRow(Row("PPP1:"));
  w.list.SetSubItems(0, {"x"});  // raises no event, but the screen must follow
  EXPECT_EQ(seen, (std::vector<std::string>{"Edit 0 -1", "RadioA 3 -1", "List 4 0", "List 5 0"}));
}

TEST(ControlModelTest, HandlerErrorPassesThroughTheChange) {
  Window w;
  w.edit.onChange = [](Control&) { throw std::runtime_error("boom"); };
  EXPECT_THROW(w.edit.SetText("a"), std::runtime_error);
  EXPECT_EQ(w.edit.Text(), "a");  // the text changed before the event ran
}

TEST(ControlModelTest, EventsRaisedWhileHandlingSeeTheNewState) {
  Window w;
  AddRows(w, 2);
  std::vector<int> selectedSeen;
  w.list.onChange = [&](Control&, int, RowChange) {
    selectedSeen.push_back(w.list.SelectedIndex());
  };
  w.list.SetSelected(0, true);
  w.list.SetSelected(1, true);
  // Deselection of row 0 is reported with nothing selected, then row 1.
  EXPECT_EQ(selectedSeen, (std::vector<int>{0, -1, 1}));
}

TEST(ControlModelTest, BadRowIndexRaises) {
  Window w;
  AddRows(w, 1);
  EXPECT_THROW(w.list.RemoveRow(1), std::out_of_range);
  EXPECT_THROW(w.list.SetSelected(-1, true), std::out_of_range);
  EXPECT_EQ(w.list.RowCount(), 1);
}

}  // namespace
