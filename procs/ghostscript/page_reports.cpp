#include "procs/ghostscript/page_reports.h"

namespace procs {

namespace {
constexpr char kReportStart[] = "PDFPrinter page ";
}  // namespace

std::string PageReportProlog() {
  return std::string(R"(%!
globaldict /PDFPrinterPagesDone 0 put
/PDFPrinterReport {
  dup 2 ne {
    globaldict /PDFPrinterPagesDone 2 copy get 1 add put
    ()") +
         kReportStart + R"() print globaldict /PDFPrinterPagesDone get 20 string cvs print
    (\n) print flush
  } if
} bind def
/setpagedevice {
  dup /EndPage known {
    dup length dict copy dup /EndPage get
    [ /PDFPrinterReport load /exec load 4 -1 roll /exec load ] cvx
    1 index exch /EndPage exch put
  } if
  systemdict /setpagedevice get exec
} bind def
<< /EndPage { exch pop 2 ne } bind >> setpagedevice)";
}

std::optional<long> ParsePageReport(const std::string& line) {
  const size_t start = sizeof kReportStart - 1;
  if (line.size() <= start || line.size() > start + 9 ||
      line.compare(0, start, kReportStart) != 0 || line[start] == '0')
    return std::nullopt;
  long page = 0;
  for (size_t i = start; i < line.size(); ++i) {
    if (line[i] < '0' || line[i] > '9') return std::nullopt;
    page = page * 10 + (line[i] - '0');
  }
  return page;
}

}  // namespace procs
