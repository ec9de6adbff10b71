// wendmoor: factor of safety of one trial slip surface by the ordinary
// method of slices.
#include <cstdlib>

#include "programs/wendmoor/wendmoor_run.h"
#include "record_io/record_io.h"

int main() {
  record_io::Environment environment;
  environment.tab_size = record_io::tab_size_from(std::getenv("TABSIZE"));
  record_io::RecordIo io(environment);
  return wendmoor::run(io);
}
