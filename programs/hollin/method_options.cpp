#include "programs/hollin/method_options.h"

#include <CLI/CLI.hpp>

#include "programs/hollin/option_values.h"
#include "programs/hollin/option_words.h"

namespace hollin {
namespace {

/// Two numbers "A,B" of one option value.
bool parse_pair(std::string_view option, const std::string& text, double& a, double& b,
                std::string& why) {
  std::vector<double> values;
  std::string fault;
  if (!parse_real_list(text, values, fault) || values.size() != 2) {
    why = std::string(option) + ": '" + text + "' is not two numbers A,B";
    return false;
  }
  a = values[0];
  b = values[1];
  return true;
}

bool parse_interslice(const MethodOptions& options, method::IntersliceFunction& function,
                      std::string& why) {
  method::Interslice shape = options.interslice_points.empty() ? method::Interslice::half_sine
                                                               : method::Interslice::points;
  if (!options.interslice.empty() &&
      !parse_word("--interslice", kInterslice, options.interslice, shape, why)) {
    return false;
  }
  function = method::IntersliceFunction(shape);
  if ((shape == method::Interslice::points) != !options.interslice_points.empty()) {
    why = "--interslice-points: given with --interslice " + options.interslice +
          "; points come alone or with --interslice points";
    if (options.interslice_points.empty()) why = "--interslice points: needs --interslice-points";
    return false;
  }
  if (!options.interslice_ends.empty()) {
    if (shape != method::Interslice::clipped_sine && shape != method::Interslice::trapezoidal) {
      why = "--interslice-ends: only with --interslice clipped-sine or trapezoidal";
      return false;
    }
    if (!parse_pair("--interslice-ends", options.interslice_ends, function.head, function.toe,
                    why)) {
      return false;
    }
  }
  if (options.interslice_points.size() > method::kMaxIntersliceNodes) {
    why = "--interslice-points: at most " + std::to_string(method::kMaxIntersliceNodes) +
          " points, not " + std::to_string(options.interslice_points.size());
    return false;
  }
  for (const std::string& point : options.interslice_points) {
    method::IntersliceNode& node = function.nodes[function.node_count++];
    if (!parse_pair("--interslice-points", point, node.x, node.f, why)) return false;
  }
  if (const std::string_view fault = method::interslice_fault(function); !fault.empty()) {
    why = std::string(function.shape == method::Interslice::points ? "--interslice-points: "
                                                                   : "--interslice-ends: ") +
          std::string(fault);
    return false;
  }
  return true;
}

}  // namespace

void declare_method_options(CLI::App& app, std::string& method, MethodWords words,
                            MethodOptions& options) {
  if (words == MethodWords::one_or_both) {
    app.add_option("--method", method,
                   "simplified, ordinary, spencer, morgenstern-price, janbu, corps-1, corps-2, "
                   "lowe-karafiath, gle, or both (default: simplified and ordinary)")
        ->check(CLI::IsMember(word_strings(kAnalyseMethodWords)));
  } else {
    app.add_option("--method", method,
                   "simplified (default), ordinary, spencer, morgenstern-price, janbu, corps-1, "
                   "corps-2, lowe-karafiath or gle")
        ->check(CLI::IsMember(word_strings(kMethodWords)));
  }
  app.add_option("--pore-force", options.pore_force,
                 "ordinary method: pore-water force on base-width or base-length (default)")
      ->check(CLI::IsMember(word_strings(kPoreForceWords)));
  app.add_option("--tolerance", options.tolerance,
                 "simplified method: convergence tolerance (default 1e-5 in single precision)");
  app.add_option("--iteration-limit", options.iteration_limit,
                 "simplified method: largest number of passes (default 50)");
  app.add_option("--tension", options.tension,
                 "simplified method: allow (default) a slice without positive normal force, "
                 "or stop there as quarnby does")
      ->check(CLI::IsMember(word_strings(kTensionWords)));
  app.add_option("--interslice", options.interslice,
                 "morgenstern-price and gle: the interslice function f(x), constant, half-sine "
                 "(default), clipped-sine, trapezoidal, or points (see --interslice-points)")
      ->check(CLI::IsMember(word_strings(kInterslice)));
  app.add_option("--interslice-ends", options.interslice_ends,
                 "clipped-sine and trapezoidal: f at the head and at the toe, HEAD,TOE "
                 "(default 0.5,0.5 and 0,0)");
  app.add_option("--interslice-points", options.interslice_points,
                 "f(x) through the points X,F ... (x from 0 at the head to 1 at the toe; level "
                 "beyond the end points)");
  app.add_option("--janbu-correction", options.janbu_correction,
                 "janbu: on multiplies the factor by the empirical correction f0; off (default)")
      ->check(CLI::IsMember({"on", "off"}));
}

bool parse_method_options(const MethodOptions& options, method::MethodSettings& settings,
                          std::string& why) {
  if (!parse_word("--pore-force", kPoreForceWords, options.pore_force, settings.pore_force, why) ||
      !parse_word("--tension", kTensionWords, options.tension, settings.tension, why) ||
      !parse_interslice(options, settings.interslice, why)) {
    return false;
  }
  settings.janbu_correction = options.janbu_correction == "on";
  if (!options.tolerance.empty() && !parse_positive(options.tolerance, settings.tolerance, why)) {
    why = "--tolerance: " + why;
    return false;
  }
  if (!options.iteration_limit.empty() &&
      !parse_count(options.iteration_limit, 1, kMaxIterationLimit, settings.iteration_limit, why)) {
    why = "--iteration-limit: " + why;
    return false;
  }
  return true;
}

}  // namespace hollin
