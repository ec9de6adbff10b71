// Reading of a slope model file (TOML). The reader takes the file's text and
// a name for messages, so tests feed literals; every refusal names the line,
// the column and what is wrong, and nothing is guessed.
#pragma once

#include <string>
#include <string_view>

#include "slope/model.h"

namespace slope {

/// Where and why a model was refused. line and column are 1-based; 0 when
/// the fault has no single place (for example a soil missing altogether).
struct ModelError {
  int line = 0;
  int column = 0;
  std::string what;  ///< one sentence, no file name, no line end
};

enum class [[nodiscard]] ModelStatus{ok, refused};

/// Outcome of read_model: `model` is complete when status is ok; `error`
/// tells why when it is refused.
struct ModelReading {
  ModelStatus status = ModelStatus::refused;
  Model model;
  ModelError error;
};

/// Parses and validates `text`. Derives Model::ground. Refuses unknown keys,
/// wrong types, non-finite numbers, lines whose x does not increase, soils
/// without properties, negative unit weights or cohesion, friction angles
/// outside 0 to 90, loads beyond the ground, a piezometric line above the
/// ground, ru together with a piezometric line, water without a water unit
/// weight, overlapping regions, and models beyond the reader's size limits.
[[nodiscard]] ModelReading read_model(std::string_view text);

/// "NAME:LINE:COLUMN: WHAT" (or "NAME: WHAT" without a place), the form of
/// every refusal message of the tools.
[[nodiscard]] std::string describe(const ModelError& error, std::string_view source_name);

}  // namespace slope
