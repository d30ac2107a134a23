#include "procs/outside_programs.h"

#include <gtest/gtest.h>

#include "platform/rules/command_line.h"
#include "platform/rules/windows_command_line.h"
#include "procs/ghostscript/ghostscript_program.h"
#include "procs/ghostscript/ghostscript_run.h"

namespace {

TEST(OutsideProgramsTest, ExactTexts) {
  const std::string gs = procs::GhostscriptProgramName();
  struct {
    const char* name;
    std::string actual, expected;
  } cases[] = {
      {"ghostscript",
       procs::GhostscriptCommandLine("C:\\gs\\gs8.54\\bin\\", gs, "C:\\Temp\\pdf1.tmp",
                                     {"C:\\spool\\1.SPL", "C:\\Temp\\docinfo.ps"}),
       "\"C:\\gs\\gs8.54\\bin\\" + gs +
           "\" @\"C:\\Temp\\pdf1.tmp\" "
           "\"C:\\spool\\1.SPL\" \"C:\\Temp\\docinfo.ps\""},
      {"ghostscript with blanks",
       procs::GhostscriptCommandLine("C:\\Program Files\\gs\\bin\\", gs,
                                     "C:\\Users\\Jo Smith\\Temp\\pdf2.tmp",
                                     {"C:\\Documents and Settings\\me\\Temp\\job.ps"}),
       "\"C:\\Program Files\\gs\\bin\\" + gs +
           "\" @\"C:\\Users\\Jo Smith\\Temp\\pdf2.tmp\" "
           "\"C:\\Documents and Settings\\me\\Temp\\job.ps\""},
      {"rr_set", procs::RrSetCommandLine("C:\\PDF Tools\\"), "\"C:\\PDF Tools\\rr_set.exe\" /s"},
      {"arguments", procs::PortArgumentsValue("C:\\PDF Tools\\setup.exe", "PPP3:"),
       "\"C:\\PDF Tools\\setup.exe\" \"%1\" \"PPP3:\""},
      {"command", procs::PortCommandValue("C:\\PDF\\"), "C:\\PDF\\redrun.exe"},
      {"log file", procs::PortLogFileNameValue("C:\\PDF\\setup.exe"), "C:\\PDF\\setup.log"},
      {"unregister",
       procs::UnregisterShellExtensionCommandLine("C:\\WINDOWS\\system32\\", "C:\\PDF Tools\\"),
       "\"C:\\WINDOWS\\system32\\RegSvr32.exe\" -u -s \"C:\\PDF Tools\\morvane.dll\""},
      {"register",
       procs::RegisterShellExtensionCommandLine("C:\\WINDOWS\\system32\\", "C:\\PDF Tools\\"),
       "\"C:\\WINDOWS\\system32\\RegSvr32.exe\" \"C:\\PDF Tools\\morvane.dll\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
  }
}

// The monitor puts the spool file in place of %1; the job must then find
// the spool file and the port as arguments 1 and 2, blanks or not.
TEST(OutsideProgramsTest, JobReadsItsArgumentsFromThePortsArguments) {
  for (const std::string spool : {"C:\\spool\\00012.SPL", "C:\\Documents and Settings\\x.SPL"}) {
    SCOPED_TRACE(spool);
    std::string line = procs::PortArgumentsValue("C:\\PDF Tools\\setup.exe", "PPP3:");
    line.replace(line.find("%1"), 2, spool);
    platform::Arguments args(line, "C:\\PDF Tools\\setup.exe");
    EXPECT_EQ(platform::SplitCommandLine(line)[0], "C:\\PDF Tools\\setup.exe");
    EXPECT_EQ(args.Count(), 2u);
    EXPECT_EQ(args.Get(1), spool);
    EXPECT_EQ(args.Get(2), "PPP3:");
  }
}

// Each command line read back as its reader splits it: a child's C runtime
// for Ghostscript, rr_set and RegSvr32, the program's own rules for the
// port's "Arguments". Every path comes back whole, also one that ends in a
// backslash, which would otherwise escape the closing quote.
TEST(OutsideProgramsTest, EveryPathComesBackWhole) {
  using Words = std::vector<std::string>;
  const std::string gs = procs::GhostscriptProgramName();
  const std::string folders[] = {"C:\\gs\\bin\\", "C:\\Program Files\\gs 10\\bin\\",
                                 "\\\\server\\share\\\\gs\\"};
  const std::string paths[] = {"C:\\spool\\00012.SPL", "C:\\Documents and Settings\\x.SPL",
                               "C:\\spool\\job\\", "C:\\a b\\\\c\\\\", "\\\\server\\spool\\"};
  for (const std::string& folder : folders) {
    SCOPED_TRACE(folder);
    EXPECT_EQ(platform::SplitWindowsCommandLine(procs::RrSetCommandLine(folder)),
              (Words{folder + "rr_set.exe", "/s"}));
    EXPECT_EQ(platform::SplitWindowsCommandLine(
                  procs::UnregisterShellExtensionCommandLine("C:\\WINDOWS\\system32\\", folder)),
              (Words{"C:\\WINDOWS\\system32\\RegSvr32.exe", "-u", "-s", folder + "morvane.dll"}));
    EXPECT_EQ(platform::SplitWindowsCommandLine(
                  procs::RegisterShellExtensionCommandLine(folder, "C:\\PDF\\")),
              (Words{folder + "RegSvr32.exe", "C:\\PDF\\morvane.dll"}));
    for (const std::string& path : paths) {
      SCOPED_TRACE(path);
      EXPECT_EQ(platform::SplitWindowsCommandLine(
                    procs::GhostscriptCommandLine(folder, gs, path + ".rsp", {path})),
                (Words{folder + gs, "@" + path + ".rsp", path}));
      std::string line = procs::PortArgumentsValue(folder + "setup.exe", "PPP3:");
      line.replace(line.find("%1"), 2, path);
      EXPECT_EQ(platform::SplitCommandLine(line), (Words{folder + "setup.exe", path, "PPP3:"}));
    }
  }
}

}  // namespace
