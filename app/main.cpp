// The program: job mode for a print job, set-up mode otherwise.
#include "app/entry.h"
#include "app/program_services.h"
#include "main/setup_mode.h"
#include "procs/convert_print_job.h"

int main() {
  platform::ScopedServices services(app::ProgramServices());
  return app::RunProgram({procs::ConvertPrintJob, main_window::RunSetupMode});
}
