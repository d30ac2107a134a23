// The port and printer list over fakes: every sender of PortStuff, the
// list's rules, its boxes and the port deletion.
#include <gtest/gtest.h>

#include <functional>

#include "support/port_list_fixture.h"

namespace {

using platform::kIdCancel;
using platform::kIdOk;
using platform::kMbIconInformation;
using platform::kMbIconWarning;
using platform::kMbOk;
using platform::kMbOkCancel;
using platform::kMbTaskModal;
using Scene = testing_support::PortListScene;
using Step = std::function<void(Scene&)>;

const std::string kPorts =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Redirected Port\\Ports\\";

TEST(PortListTest, Refresh) {
  const std::string printers = testing_support::kPrintersKey + "\\";
  struct Case {
    const char* name;
    std::vector<int> ports;
    Step between;  // after the first fill, before "Refresh"
    std::string listed, box = "";
  };
  const Case cases[] = {
      {"the selected port stays selected", {1, 2}, [](Scene& t) { t.Select(1); }, "PPP1: / PPP2:*"},
      {"the selected port gone: PPP1:",
       {1, 2, 3},
       [](Scene& t) { t.Select(1), t.registry.DeleteKeyTree(kPorts + "PPP2:"); },
       "PPP1:* / PPP3:"},
      {"without PPP1: none selected", {2, 3}, nullptr, "PPP2: / PPP3:"},
      {"only numbers 1 to 100", {99, 100, 101}, nullptr, "PPP99: / PPP100:"},
      {"a key that does not open for reading",
       {1, 2},
       [](Scene& t) { t.registry.DenyOpen(kPorts + "PPP2:", platform::kKeyRead); },
       "PPP1:*"},
      {"exact port names only, the later printer wins",
       {1, 2, 3, 4},
       [&](Scene& t) {
         t.AttachPrinter("A", "PPP1:"), t.AttachPrinter("B", "PPP1:");
         t.AttachPrinter("C", "PPP2:,PPP3:"), t.AttachPrinter("D", "ppp4:");
         t.AttachPrinter("Locked", "PPP3:"), t.registry.DenyOpen(printers + "Locked");
         t.registry.AddKey(printers + "No port");
         t.settings.WriteText("PPP1:", "ShowPDF", "0");
       },
       "PPP1:*: B|c:\\|No / PPP2: / PPP3: / PPP4:"},
      {"a Port of another type ends it, rows so far kept",
       {1, 2},
       [&](Scene& t) {
         t.AttachPrinter("A", "PPP1:");
         t.registry.SetDword(printers + "B", "Port", 2);
         t.AttachPrinter("C", "PPP2:");
       },
       "PPP1:*: A|c:\\|Yes / PPP2:",
       "Invalid data type for 'Port'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Scene t;
    t.AddPorts(c.ports);
    t.FirstFill();
    EXPECT_EQ(t.form.ActiveControl(), nullptr);  // not at the window's creation
    if (c.between) c.between(t);
    t.Click(t.form.BtnGetPrinters);
    EXPECT_EQ(t.Listed(), c.listed);
    EXPECT_EQ(t.BoxTexts(), c.box);
    // The closing steps run unless an error ended the handler.
    EXPECT_EQ(t.form.ActiveControl(), c.box.empty() ? t.form.ListView1 : nullptr);
    EXPECT_TRUE(t.form.BtnDelPort->Enabled());
  }
}

TEST(PortListTest, AddNewPortIsListedAndSelectedUnlessItFails) {
  Scene t;
  t.AddPorts({1, 2});
  t.FirstFill();
  t.Click(t.form.BtnAddPort);
  EXPECT_EQ(t.Listed(), "PPP1: / PPP2: / PPP3:*");
  t.registry.FailWritesOf("Command");
  t.Click(t.form.BtnAddPort);
  EXPECT_EQ(t.BoxTexts(), "Failed to set data for 'Command'");
  EXPECT_EQ(t.Listed(), "PPP1: / PPP2: / PPP3:*");  // no refresh: PPP4: is not listed
}

TEST(PortListTest, AddPdfPrinterWarnsOrInstructsThenRefreshes) {
  const std::string instructions =
      "Please now follow these steps:\r1. Read all the following instructions and click OK.\r"
      "2. Add a local printer, use port PPP2: - ##### DO NOT USE LPT1: ######\r"
      "3. Important - Use the driver for a HP Color Laserjet 8500 PS (or HP Color Laserjet PS)\r"
      "4. Call the printer \"PDF Printer\" or similar\r"
      "5. If you have Ghostscript installed then you can print a test page.";
  // Caption, flags and text of the box.
  const std::string warning = "Warning " + std::to_string(kMbOk | kMbIconWarning | kMbTaskModal);
  const std::string information = "Information " +
                                  std::to_string(kMbOkCancel | kMbIconInformation | kMbTaskModal) +
                                  " " + instructions;
  struct Case {
    int select, answer;
    std::string box;
    size_t wizards;
  };
  const Case cases[] = {
      {-1, kIdOk, warning + " Please create and select a valid PDF printer port first.", 0},
      {0, kIdOk,
       warning + " There is already a printer attached to that port - please use an \"empty\" one.",
       0},
      {1, kIdOk, information, 1},
      {1, kIdCancel, information, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box.substr(0, 40) + " " + std::to_string(c.answer));
    Scene t;
    t.AddPorts({1, 2});
    t.AttachPrinter("PDF Printer", "PPP1:");
    t.shell.printers = {{"Add Printer"}, {"PDF Printer"}};
    t.FirstFill();
    t.Select(c.select);
    t.AttachPrinter("New", "PPP2:");  // the refresh that follows shows it
    t.boxes.Answer(c.answer);
    t.Click(t.form.BtnAddPrinter);
    ASSERT_EQ(t.boxes.Shown().size(), 1u);
    const auto& box = t.boxes.Shown()[0];
    EXPECT_EQ(box.caption + " " + std::to_string(box.flags) + " " + box.text, c.box);
    ASSERT_EQ(t.shell.Executed().size(), c.wizards);
    if (c.wizards) {
      EXPECT_EQ(t.shell.Executed()[0].idList, t.shell.AbsoluteList("Add Printer"));
    }
    EXPECT_EQ(t.form.ListView1->Row(1).subItems.size(), 3u);
  }
}

TEST(PortListTest, DeletePort) {
  const std::string refused = "You must uninstall the printer P before you can delete the port";
  struct Case {
    const char* name;
    int select;
    Step between;  // after the first fill
    std::string listed, portsLeft, box = "";
  };
  const Case cases[] = {
      {"a middle row: the next is selected", 1, nullptr, "PPP1: / PPP3:*", "PPP1: PPP3:"},
      {"the last row: the new last", 2, nullptr, "PPP1: / PPP2:*", "PPP1: PPP2:"},
      {"none selected: a refresh", -1, [](Scene& t) { t.registry.DeleteKeyTree(kPorts + "PPP3:"); },
       "PPP1:* / PPP2:", "PPP1: PPP2:"},
      {"a listed printer", 1,
       [](Scene& t) {
         t.form.ListView1->SetSubItems(1, {"P", "x", "N"});
       },
       "PPP1: / PPP2:*: P|x|N / PPP3:", "PPP1: PPP2: PPP3:", refused},
      {"a printer attached since the refresh", 1, [](Scene& t) { t.AttachPrinter("P", "PPP2:"); },
       "PPP1: / PPP2:*: P|c:\\|Yes / PPP3:", "PPP1: PPP2: PPP3:", refused},
      {"a key that cannot be deleted", 1, [](Scene& t) { t.registry.SetReadOnly(true); },
       "PPP1: / PPP2:* / PPP3:", "PPP1: PPP2: PPP3:",
       "Failed to delete key HKEY_LOCAL_MACHINE\\" + kPorts + "PPP2:."},
      {"a settings file that refuses", 1,
       [](Scene& t) { t.profile.RefuseWrites(t.settings.Path()); }, "PPP1: / PPP2:* / PPP3:",
       "PPP1: PPP3:", "Unable to write to " + testing_support::ProgramFolder() + "setup.ini."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Scene t;
    t.AddPorts({1, 2, 3});
    t.registry.AddKey(kPorts + "PPP2:\\Sub\\Deeper");
    t.registry.AddKey(kPorts + "PPP2:\\Other");
    t.settings.WriteText("PPP2:", "SaveType", "1");
    t.FirstFill();
    t.Select(c.select);
    if (c.between) c.between(t);
    t.Click(t.form.BtnDelPort);
    EXPECT_EQ(t.Listed(), c.listed);
    std::string left;
    for (const auto& port : t.registry.SubkeyNames(kPorts))
      left += (left.empty() ? "" : " ") + port;
    EXPECT_EQ(left, c.portsLeft);
    EXPECT_EQ(t.Saved("PPP2:"), c.box.empty() && c.select == 1 ? "-|-|-" : "-|1|-");
    EXPECT_EQ(t.BoxTexts(), c.box);
  }
  Scene t;  // the only row
  t.AddPorts({1});
  t.FirstFill();
  t.Click(t.form.BtnDelPort);
  EXPECT_EQ(t.Listed(), "");
  EXPECT_FALSE(t.form.BtnDelPort->Enabled());
}

TEST(PortListTest, PropertiesOfThePrinterOnTheSelectedPort) {
  Scene t;
  t.AddPorts({1, 2});
  t.AttachPrinter("pdf printer", "PPP1:");
  t.shell.printers = {{"Add Printer"}, {"PDF Printer", platform::kStrretWstr}};
  t.FirstFill();
  for (int row : {1, -1, 0}) {  // only the row with a printer
    t.Select(row);
    t.Click(t.form.Button1);
  }
  ASSERT_EQ(t.shell.Executed().size(), 1u);
  EXPECT_EQ(t.shell.Executed()[0].request.verb, "Properties");
  EXPECT_EQ(t.shell.Executed()[0].idList, t.shell.AbsoluteList("PDF Printer"));
}

}  // namespace
