// wendmoor-cli: the ordinary method of slices in batch, driven by a job file.
#include <cstdlib>

#include "programs/wendmoor-cli/wendmoor_cli_run.h"
#include "record_io/record_io.h"

int main() {
  record_io::Environment environment;
  environment.tab_size = record_io::tab_size_from(std::getenv("TABSIZE"));
  record_io::RecordIo io(environment);
  return wendmoor_cli::run(io, INSTALLED_SETTINGS_PATH);
}
