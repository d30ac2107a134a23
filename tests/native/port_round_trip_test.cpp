// Ports through the real POSIX registry store and the real settings file,
// seeded with the spooler printers of tests/data/printers.reg.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/posix/posix_backends.h"
#include "support/port_list_fixture.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::ReadBytes;

const std::string kPorts =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Redirected "
    "Port\\Ports\\";

// The window's world with the real store and settings file in a scratch folder.
struct RealScene : testing_support::PortListScene {
  RealScene() {
    std::filesystem::copy_file(std::string(PDFPRINTER_SOURCE_DIR) + "/tests/data/printers.reg",
                               store);
    for (const char* program : {"redrun.exe", "rr_set.exe"}) {
      testing_support::WriteBytes(dir.File(program), "");
    }
  }
  testing_support::ScratchDir dir;
  std::string store = dir.File("setup.reg");
  std::unique_ptr<platform::Registry> realRegistry = platform::posix::MakeRegistry(store);
  platform::fake::FakeProcessInfo scratchInfo{dir.File("setup.exe"), ""};
  platform::ScopedServices real{{.processInfo = &scratchInfo,
                                 .profile = platform::NativeServices().profile,
                                 .registry = realRegistry.get()}};
};

TEST(PortRoundTripTest, APortsWholeLife) {
  RealScene t;
  t.FirstFill();
  t.Click(t.form.BtnAddPort);
  t.Click(t.form.BtnAddPort);
  // The later of the two printers on PPP1:; "PPP2:,PPP3:" names no port.
  EXPECT_EQ(t.Listed(), "PPP1:: PDF Printer (Copy 2)|c:\\|Yes / PPP2:*");
  EXPECT_NE(
      ReadBytes(t.store).find("[" + kPorts + "PPP1:]\r\n\"Arguments\"=\"\\\"" +
                              t.dir.File("setup.exe") + "\\\" \\\"%1\\\" \\\"PPP1:\\\"\"\r\n"),
      std::string::npos);

  t.Select(0);
  EXPECT_EQ(t.form.GroupBox3->Text(), "PDF Printer (Copy 2) details");
  t.form.EditSaveTo->SetText(t.dir.File("out"));
  t.Click(t.form.RBTSaveAs);
  t.Click(t.form.CHBShowPDF);
  EXPECT_NE(
      ReadBytes(t.dir.File("setup.ini"))
          .find("[PPP1:]\r\nSaveToFolder=" + t.dir.File("out") + "\r\nSaveType=1\r\nShowPDF=0\r\n"),
      std::string::npos);
  t.Click(t.form.BtnGetPrinters);
  EXPECT_EQ(t.Listed(), "PPP1:*: PDF Printer (Copy 2)|" + t.dir.File("out") + "|No / PPP2:");
  EXPECT_TRUE(t.form.RBTSaveAs->Checked());

  t.Click(t.form.BtnDelPort);
  EXPECT_EQ(t.BoxTexts(),
            "You must uninstall the printer PDF Printer (Copy 2) before you can delete the port");
  for (const char* printer : {"PDF Printer", "PDF Printer (Copy 2)"}) {
    ASSERT_TRUE(t.realRegistry->DeleteKeyTree(testing_support::kPrintersKey + "\\" + printer));
  }
  t.Click(t.form.BtnGetPrinters);
  t.Click(t.form.BtnDelPort);
  EXPECT_EQ(t.Listed(), "PPP2:*");
  EXPECT_EQ(ReadBytes(t.store).find(kPorts + "PPP1:"), std::string::npos);
  EXPECT_NE(ReadBytes(t.store).find(kPorts + "PPP2:"), std::string::npos);
  EXPECT_EQ(ReadBytes(t.dir.File("setup.ini")).find("PPP1:"), std::string::npos);
}

TEST(PortRoundTripTest, BadInputIsReportedAndLosesNothing) {
  RealScene t;
  std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
  for (int n = 1; n <= 100; ++n) text += "[" + kPorts + "PPP" + std::to_string(n) + ":]\r\n\r\n";
  text += "[" + kPorts + "PPP2:\\Sub\\Deeper]\r\n\r\n[HKEY_LOCAL_MACHINE\\" +
          testing_support::kPrintersKey + "\\Numbered]\r\n\"Port\"=dword:00000001\r\n";
  testing_support::WriteBytes(t.store, text);

  // 100 ports present: the new one is PPP101:, listed and selected.
  t.Click(t.form.BtnAddPort);
  EXPECT_EQ(t.BoxTexts(), "Invalid data type for 'Port'");
  EXPECT_NE(ReadBytes(t.store).find("[" + kPorts + "PPP101:]"), std::string::npos);
  EXPECT_EQ(t.form.ListView1->RowCount(), 101);  // the rows built before the error stay
  EXPECT_EQ(t.form.ListView1->Row(100).caption, "PPP101:");
  EXPECT_EQ(t.form.ListView1->SelectedIndex(), 100);

  // No printers key: rows without printers. PPP2: goes with its subkeys.
  ASSERT_TRUE(t.realRegistry->DeleteKeyTree(testing_support::kPrintersKey));
  t.Select(1);
  t.Click(t.form.BtnDelPort);
  EXPECT_EQ(t.boxes.Shown().size(), 1u);
  EXPECT_EQ(ReadBytes(t.store).find(kPorts + "PPP2:"), std::string::npos);
  EXPECT_EQ(t.form.ListView1->RowCount(), 100);
  EXPECT_EQ(t.form.ListView1->Row(1).caption + std::to_string(t.form.ListView1->SelectedIndex()),
            "PPP3:1");
}

}  // namespace
