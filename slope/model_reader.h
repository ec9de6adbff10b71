// Reading of a slope model file (TOML). The reader takes the file's text and
// a name for messages, so tests feed literals; every refusal names the line,
// the column and what is wrong, and nothing is guessed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "slope/model.h"

namespace slope {

/// Size limits of a model file, so that hostile input stays bounded in time
/// and memory. A file beyond any of them is refused with a message saying so.
inline constexpr std::size_t kMaxModelFileBytes = 64 * 1024 * 1024;  ///< checked before parsing
inline constexpr std::size_t kMaxModelPoints = 1'000'000;  ///< points of all lines and regions
inline constexpr std::size_t kMaxRegionPoints = 10'000;    ///< points of all regions together
inline constexpr std::size_t kMaxSoils = 1'000;
inline constexpr std::size_t kMaxLoads = 1'000;
inline constexpr std::size_t kMaxTextBytes = 255;  ///< title, subtitle, units, soil name
/// Largest magnitude of any number: coordinates and properties alike, so that
/// the geometry's arithmetic stays finite.
inline constexpr double kMaxModelNumber = 1e9;

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
/// outside 0 to 90 (90 itself included), loads or a crack range beyond the
/// ground, a piezometric line not spanning the ground (above the ground it
/// is accepted: water standing on the slope), a bedrock line above the
/// ground, ru together with a piezometric line, water without a water unit
/// weight, a crack's water deeper than its depth, earthquake coefficients
/// out of range, self-crossing or overlapping regions, soils leaving a gap
/// in the ground, and models beyond the size limits above. Positions are
/// toml++'s: columns count characters.
[[nodiscard]] ModelReading read_model(std::string_view text);

/// "NAME:LINE:COLUMN: WHAT" (or "NAME: WHAT" without a place), the form of
/// every refusal message of the tools.
[[nodiscard]] std::string describe(const ModelError& error, std::string_view source_name);

}  // namespace slope
