// The English settings files shipped in share/, built into the program so that
// `hollin report` needs no settings file beside it. The bytes are those of
// share/quarnby.ini and share/wendmoor.ini at build time.
#pragma once

#include <string_view>

namespace hollin {

/// The exact text of share/quarnby.ini (simplified-method settings).
[[nodiscard]] std::string_view shipped_quarnby_settings();

/// The exact text of share/wendmoor.ini (ordinary-method settings).
[[nodiscard]] std::string_view shipped_wendmoor_settings();

}  // namespace hollin
