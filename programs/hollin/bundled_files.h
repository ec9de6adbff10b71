// The files `hollin init` puts into a working folder, built into the program
// so that it needs nothing installed beside it: the German settings files of
// share/de/ and the bundled examples of examples/, their bytes at build time.
// The English settings files are in shipped_settings.h.
#pragma once

#include <string_view>

namespace hollin {

/// The exact text of share/de/quarnby.ini.
[[nodiscard]] std::string_view german_quarnby_settings();
/// The exact text of share/de/wendmoor.ini.
[[nodiscard]] std::string_view german_wendmoor_settings();
/// The exact text of examples/worked-example.dat.
[[nodiscard]] std::string_view example_worked_example();
/// The exact text of examples/embankment.dat.
[[nodiscard]] std::string_view example_embankment();
/// The exact text of examples/steep-toe.dat.
[[nodiscard]] std::string_view example_steep_toe();
/// The exact text of examples/wendmoor-jobs.txt, the job file that runs the
/// three data files above.
[[nodiscard]] std::string_view example_jobs();
/// The exact text of examples/simple-slope.toml.
[[nodiscard]] std::string_view example_simple_slope();

}  // namespace hollin
