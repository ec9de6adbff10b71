#include "programs/hollin/check_command.h"

#include <CLI/CLI.hpp>
#include <string_view>

#include "programs/hollin/check_parts.h"

namespace hollin {

int run_check(const CheckOptions& options, CommandContext& context) {
  constexpr std::string_view kModelSuffix = ".toml";
  const std::string_view name = options.file;
  const bool model = name.size() > kModelSuffix.size() &&
                     name.substr(name.size() - kModelSuffix.size()) == kModelSuffix;
  return model ? check_model_file(options.file, context) : check_data_file(options.file, context);
}

void declare_check(CLI::App& app, CheckOptions& options) {
  app.add_option("FILE", options.file, "a slope model (name ending in .toml) or a slope data file")
      ->required();
}

}  // namespace hollin
