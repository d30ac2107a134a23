// The port and printer list over fakes: every sender of PortStuff, the
// list's rules, its boxes and the port deletion.
#include <gtest/gtest.h>

#include <functional>
#include <set>

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
      {"every port, however numbered, in order",
       {101, 99, 100},
       nullptr,
       "PPP99: / PPP100: / PPP101:"},
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

TEST(PortListTest, AddPdfPrinterMakesThePrinterOrFallsBackToTheWizard) {
  const std::string kClass = "Microsoft PS Class Driver", kPublisher = "MS Publisher Color Printer";
  const std::string made = "PDF Printer (2) on PPP2: with ";  // "PDF Printer" is taken
  struct Case {
    const char* what;
    int select;
    std::vector<int> answers;
    std::vector<std::string> installed;
    std::set<std::string> inStore;
    uint32_t addResult;
    std::vector<std::string> installCalls;
    std::string added;  // the printer asked for: name, port, driver
    std::string boxes;  // caption and text of each box, the text cut at 30
    size_t wizards;
  };
  const std::string info = "Information: A PDF printer will now be adde";
  const std::string wizard = "Information: Please now follow these steps:";
  const Case cases[] = {
      {"no port selected",
       -1,
       {},
       {kClass},
       {},
       0,
       {},
       "",
       "Warning: Please create and select a val",
       0},
      {"a printer on the port",
       0,
       {},
       {kClass},
       {},
       0,
       {},
       "",
       "Warning: There is already a printer att",
       0},
      {"cancelled", 1, {kIdCancel}, {kClass}, {}, 0, {}, "", info, 0},
      {"class driver installed",
       1,
       {kIdOk},
       {kPublisher, kClass},
       {},
       0,
       {},
       made + kClass,
       info,
       0},
      {"class driver in the store", 1, {kIdOk}, {}, {kClass}, 0, {kClass}, made + kClass, info, 0},
      {"only the Publisher driver",
       1,
       {kIdOk},
       {kPublisher},
       {},
       0,
       {kClass},
       made + kPublisher,
       info,
       0},
      {"no driver: the wizard",
       1,
       {kIdOk, kIdOk, kIdOk},
       {},
       {},
       0,
       {kClass, kPublisher},
       "",
       info + " | setup: No PostScript printer driver t | " + wizard,
       1},
      {"the spooler refuses: the wizard",
       1,
       {kIdOk, kIdOk, kIdOk},
       {kClass},
       {},
       5,
       {},
       made + kClass,
       info + " | setup: The printer \"PDF Printer (2)\"  | " + wizard,
       1},
      {"the wizard declined",
       1,
       {kIdOk, kIdOk, kIdCancel},
       {},
       {},
       0,
       {kClass, kPublisher},
       "",
       info + " | setup: No PostScript printer driver t | " + wizard,
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Scene t;
    t.AddPorts({1, 2});
    t.AttachPrinter("PDF Printer", "PPP1:");
    t.shell.printers = {{"Add Printer"}, {"PDF Printer"}};
    platform::fake::FakePrintSpooler& spooler = t.fakes.printSpooler;
    spooler.installed = c.installed;
    spooler.inStore = c.inStore;
    spooler.addResult = c.addResult;
    t.FirstFill();
    t.Select(c.select);
    t.AttachPrinter("New", "PPP2:");  // the refresh that follows shows it
    for (int answer : c.answers) t.boxes.Answer(answer);
    t.Click(t.form.BtnAddPrinter);
    std::string boxes;
    for (const auto& box : t.boxes.Shown()) {
      boxes += (boxes.empty() ? "" : " | ") + box.caption + ": " + box.text.substr(0, 30);
    }
    EXPECT_EQ(boxes, c.boxes);
    EXPECT_EQ(spooler.installCalls, c.installCalls);
    std::string added;
    for (const auto& p : spooler.addCalls) {
      added += p.name + " on " + p.port + " with " + p.driver;
      EXPECT_EQ(p.printProcessor + "/" + p.dataType, "winprint/RAW");
    }
    EXPECT_EQ(added, c.added);
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
      {"a key that can be neither deleted nor read", 1,
       [](Scene& t) { t.registry.SetReadOnly(true), t.registry.DenyOpen(kPorts + "PPP2:"); },
       "PPP1: / PPP2:* / PPP3:", "PPP1: PPP2: PPP3:",
       "Failed to delete key HKEY_LOCAL_MACHINE\\" + kPorts + "PPP2:."},
      {"a printer whose Port is no text uses no port", 1,
       [](Scene& t) { t.registry.SetDword(testing_support::kPrintersKey + "\\N", "Port", 2); },
       "PPP1: / PPP3:*", "PPP1: PPP3:"},
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

TEST(PortListTest, PortsOfAnotherCopyAreOfferedAndPointedHereOnYes) {
  const std::string here = testing_support::ProgramFolder() + "setup.exe";
  const std::string quoted = "\"" + here + "\" \"%1\" \"PPP1:\"";
  for (int answer : {platform::kIdYes, platform::kIdNo}) {
    SCOPED_TRACE(answer);
    Scene t;
    auto arguments = [&](int n, const std::string& text) {
      t.registry.SetString(kPorts + procs::PortName(n), "Arguments", text);
    };
    arguments(1, quoted);                                          // this program
    arguments(2, "\"C:\\Old\\pdfprinter.exe\" \"%1\" \"PPP2:\"");  // another copy
    arguments(3, "C:\\Old\\pdfprinter.exe %1 \"PPP3:\"");          // unquoted, as written once
    arguments(4, "");                                              // nothing to start
    t.registry.SetDword(kPorts + "PPP5:", "Arguments", 1);         // not text
    t.registry.SetString(kPorts + "Other", "Arguments", "x.exe");  // no port of ours
    t.boxes.Answer(answer);
    t.form.RunEvent([&] { t.form.OfferPortsOfAnotherCopy(); });
    ASSERT_EQ(t.boxes.Shown().size(), 1u);
    EXPECT_EQ(t.boxes.Shown()[0].text,
              "These ports start another copy of the program for their print jobs: PPP2:, "
              "PPP3:.\r\rPoint them at this program, " +
                  here + "?");
    EXPECT_EQ(t.boxes.Shown()[0].flags, platform::kMbYesNo | kMbIconWarning | kMbTaskModal);
    // Yes: "Command" and "Arguments" as a new port of this program has them.
    for (int n : {2, 3}) {
      const std::string port = procs::PortName(n);
      for (const auto& [name, data] : testing_support::PortValues(port, here)) {
        if (name != "Arguments" && name != "Command") continue;
        auto stored = t.registry.Value(kPorts + port, name);
        EXPECT_EQ(stored && stored->data == data.data, answer == platform::kIdYes) << port << name;
      }
    }
    EXPECT_EQ(platform::RegistryText(*t.registry.Value(kPorts + "PPP1:", "Arguments")), quoted);
  }
  Scene t;  // nothing to offer: no box
  t.registry.SetString(kPorts + "PPP1:", "Arguments", "\"" + here + "\" \"%1\" \"PPP1:\"");
  t.form.RunEvent([&] { t.form.OfferPortsOfAnotherCopy(); });
  EXPECT_TRUE(t.boxes.Shown().empty());
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
