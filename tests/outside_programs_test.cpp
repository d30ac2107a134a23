#include "procs/outside_programs.h"

#include <gtest/gtest.h>

namespace {

TEST(OutsideProgramsTest, ExactTexts) {
  const std::string gs = procs::GhostscriptProgramName();
  struct {
    const char* name;
    std::string actual, expected;
  } cases[] = {
      {"ghostscript", procs::GhostscriptCommandLine("C:\\gs\\gs8.54\\bin\\", "C:\\spool\\1.SPL"),
       "\"C:\\gs\\gs8.54\\bin\\" + gs + "\" @\"C:\\gs\\gs8.54\\bin\\tarnel.rsp\" "
       "\"C:\\spool\\1.SPL\""},
      {"ghostscript with blanks",
       procs::GhostscriptCommandLine("C:\\Program Files\\gs\\bin\\",
                                     "C:\\Documents and Settings\\me\\Temp\\job.ps"),
       "\"C:\\Program Files\\gs\\bin\\" + gs + "\" @\"C:\\Program Files\\gs\\bin\\tarnel.rsp\" "
       "\"C:\\Documents and Settings\\me\\Temp\\job.ps\""},
      {"rr_set", procs::RrSetCommandLine("C:\\PDF\\"), "C:\\PDF\\rr_set.exe /s"},
      {"arguments", procs::PortArgumentsValue("C:\\PDF\\setup.exe", "PPP3:"),
       "C:\\PDF\\setup.exe %1 \"PPP3:\""},
      {"arguments with blanks", procs::PortArgumentsValue("C:\\My PDF\\setup.exe", "PPP12:"),
       "C:\\My PDF\\setup.exe %1 \"PPP12:\""},
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

}  // namespace
