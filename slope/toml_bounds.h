// Bounds on a TOML text, found before a parser builds a tree from it: how
// many nodes it can make at most, how deep its brackets nest and how many
// parts its dotted keys have. Hostile text is refused here, before it costs
// memory out of proportion or a deep recursion.
#pragma once

#include <cstddef>
#include <string_view>

namespace slope {

/// The largest TOML text a reader accepts.
struct TomlLimits {
  std::size_t max_nodes = 0;      ///< values, arrays and tables the text may make
  std::size_t max_nesting = 0;    ///< arrays and inline tables inside one another
  std::size_t max_key_parts = 0;  ///< parts of one dotted key or table header
};

/// Which bound a text breaks, and where (1-based line and column, columns
/// counted in characters as a TOML parser counts them).
struct TomlBreach {
  enum class Kind { none, nodes, nesting, key_parts };
  Kind kind = Kind::none;
  int line = 0;
  int column = 0;
};

/// Scans `text` once, skipping comments and strings, and returns the first
/// bound it breaks (kind none when it breaks none). The node count is an
/// upper bound of what a parser makes: every `=`, `[`, `{`, `,` and every dot
/// of a key counts one. The scan does not check the syntax: invalid text is
/// only counted, and left to the parser to refuse.
[[nodiscard]] TomlBreach check_toml_bounds(std::string_view text, const TomlLimits& limits);

}  // namespace slope
