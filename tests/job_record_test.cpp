#include <gtest/gtest.h>

#include "procs/job_progress.h"
#include "procs/job_record.h"

namespace {

using std::chrono::seconds;

TEST(JobRecordTest, ARecordIsOneLineAndTheStatusReadsAsTime) {
  procs::JobRecord record;
  record.started.tm_year = 126;
  record.started.tm_mon = 11;
  record.started.tm_mday = 9;
  record.started.tm_hour = 7;
  record.started.tm_min = 5;
  record.started.tm_sec = 3;
  record.port = "PPP1:";
  record.title = "Two\tlines\r\nof title";
  record.result = "failed: The folder X cannot be made.\n\nThe PDF was kept";
  record.taken = std::chrono::milliseconds(3249);
  EXPECT_EQ(procs::JobRecordLine(record),
            "2026-12-09 07:05:03\tPPP1:\tTwo lines  of title\tfailed: The folder X cannot be "
            "made.  The PDF was kept\t3.2 s");

  const struct {
    long pages;
    seconds elapsed;
    const char* status;
  } cases[] = {{0, seconds(2), "Starting - 0:02"},
               {1, seconds(59), "1 page done - 0:59"},
               {1234, seconds(605), "1234 pages done - 10:05"},
               {7, seconds(3723), "7 pages done - 1:02:03"}};
  for (const auto& c : cases) EXPECT_EQ(procs::ProgressStatus(c.pages, c.elapsed), c.status);
}

}  // namespace
