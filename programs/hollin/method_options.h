// The options of the method run that `analyse` and `search` share, declared
// once: --pore-force, --tolerance, --iteration-limit, --tension, --interslice
// and its ends or points, and --janbu-correction, and the --method of each command, checked and
// converted by the one word table of each.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "method/method_run.h"

namespace CLI {
class App;
}

namespace hollin {

/// Largest --iteration-limit accepted.
inline constexpr std::int32_t kMaxIterationLimit = 100000;

/// The shared method options as given; empty texts take the defaults.
struct MethodOptions {
  std::string pore_force = "base-length";  ///< ordinary method: base-width or base-length
  std::string tolerance;                   ///< empty: method::kDefaultTolerance
  std::string iteration_limit;             ///< empty: method::kDefaultIterationLimit
  /// allow (a slice in tension carries on, as peers do) or stop (quarnby's
  /// rule, which leaves out every surface with a slice in tension and so may
  /// miss the least factor)
  std::string tension = "allow";
  /// Morgenstern-Price and gle: a word of kInterslice; empty gives half-sine,
  /// or points when interslice_points are given
  std::string interslice;
  std::string interslice_ends;                 ///< "HEAD,TOE": f at the ends
  std::vector<std::string> interslice_points;  ///< "X,F" each: f(x) through them
  std::string janbu_correction = "off";        ///< Janbu: on multiplies by f0
};

/// What --method may name.
enum class MethodWords {
  one,         ///< one method, simplified by default
  one_or_both  ///< one method, or both (the default): simplified and ordinary
};

/// Declares --method into `method` and the shared options into `options`.
void declare_method_options(CLI::App& app, std::string& method, MethodWords words,
                            MethodOptions& options);

/// Converts the shared options into `settings` (all but its method); false
/// with `why`, naming the option, for a value that is not acceptable.
[[nodiscard]] bool parse_method_options(const MethodOptions& options,
                                        method::MethodSettings& settings, std::string& why);

}  // namespace hollin
