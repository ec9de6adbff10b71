#include "programs/hollin/method_options.h"

#include <CLI/CLI.hpp>

#include "programs/hollin/option_values.h"
#include "programs/hollin/option_words.h"

namespace hollin {

void declare_method_options(CLI::App& app, std::string& method, MethodWords words,
                            MethodOptions& options) {
  if (words == MethodWords::one_or_both) {
    app.add_option("--method", method,
                   "simplified, ordinary, spencer, morgenstern-price, janbu, corps-1, corps-2, "
                   "lowe-karafiath, or both (default: simplified and ordinary)")
        ->check(CLI::IsMember(word_strings(kAnalyseMethodWords)));
  } else {
    app.add_option("--method", method,
                   "simplified (default), ordinary, spencer, morgenstern-price, janbu, corps-1, "
                   "corps-2 or lowe-karafiath")
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
                 "morgenstern-price: the interslice function f(x), constant or half-sine "
                 "(default)")
      ->check(CLI::IsMember(word_strings(kInterslice)));
  app.add_option("--janbu-correction", options.janbu_correction,
                 "janbu: on multiplies the factor by the empirical correction f0; off (default)")
      ->check(CLI::IsMember({"on", "off"}));
}

bool parse_method_options(const MethodOptions& options, method::MethodSettings& settings,
                          std::string& why) {
  if (!parse_word("--pore-force", kPoreForceWords, options.pore_force, settings.pore_force, why) ||
      !parse_word("--tension", kTensionWords, options.tension, settings.tension, why) ||
      !parse_word("--interslice", kInterslice, options.interslice, settings.interslice, why)) {
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
