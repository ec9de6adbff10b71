// A list of methods on the command line, as `hollin search --also` takes it:
// method words of --method separated by commas, or "all" for every method of
// the runner.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "method/method_run.h"

namespace hollin {

/// The methods `text` names, in the order named, each once (a repeat adds
/// nothing; "all" adds every method not yet named, in the runner's order).
/// Spaces around a word are ignored. False with `why`, naming `option` and
/// the word, for a word that names no method, an empty word or no word.
[[nodiscard]] bool parse_method_list(std::string_view option, std::string_view text,
                                     std::vector<method::Method>& methods, std::string& why);

}  // namespace hollin
