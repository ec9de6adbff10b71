#include "programs/hollin/load_options.h"

#include <CLI/CLI.hpp>
#include <vector>

#include "programs/hollin/option_values.h"

namespace hollin {

namespace {

bool coefficient(std::string_view name, const std::string& text, double lowest, bool above_lowest,
                 double& value, std::string& why) {
  if (text.empty()) return true;
  std::vector<double> values;
  if (!parse_real_list(text, values, why) || values.size() != 1) {
    why = std::string(name) + ": give one number, not \"" + text + "\"";
    return false;
  }
  const double v = values[0];
  if (!(above_lowest ? v > lowest : v >= lowest) || !(v <= 1.0)) {
    why = std::string(name) + ": " + text + " is outside " + (above_lowest ? "(-1, 1]" : "[0, 1]");
    return false;
  }
  value = v;
  return true;
}

}  // namespace

void declare_load_options(CLI::App& app, LoadOptions& options) {
  app.add_option("--kh", options.kh,
                 "earthquake: horizontal coefficient, kh W towards the toe (overrides the model)");
  app.add_option("--kv", options.kv,
                 "earthquake: vertical coefficient, kv W downward (overrides the model)");
}

bool apply_load_options(const LoadOptions& options, slope::Model& model, std::string& why) {
  return coefficient("--kh", options.kh, 0.0, false, model.seismic.kh, why) &&
         coefficient("--kv", options.kv, -1.0, true, model.seismic.kv, why);
}

}  // namespace hollin
