// Fuzz target: the slope model reader. Any text is either refused with a
// place and a reason, or accepted with a ground line whose x increases
// strictly and whose values are finite, spanning every soil.
#include "slope/model_reader.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const slope::ModelReading reading = slope::read_model(fuzzing::as_text(data, size));
  if (reading.status != slope::ModelStatus::ok) {
    fuzzing::require(!reading.error.what.empty(), "a refusal without a reason");
    fuzzing::require(reading.error.line >= 0 && reading.error.column >= 0,
                     "a refusal at a negative place");
    return 0;
  }
  const slope::Model& model = reading.model;
  fuzzing::require(!model.soils.empty(), "a model without soil accepted");
  const slope::Polyline& ground = model.ground;
  fuzzing::require(ground.size() >= 2, "a ground of fewer than two points");
  for (std::size_t i = 0; i < ground.size(); ++i) {
    fuzzing::require(std::isfinite(ground[i].x) && std::isfinite(ground[i].y),
                     "a ground point not finite");
    fuzzing::require(i == 0 || ground[i - 1].x < ground[i].x, "ground x not strictly increasing");
  }
  for (const slope::Soil& soil : model.soils) {
    for (const slope::Polyline* line : {&soil.top, &soil.region}) {
      for (const slope::Point& p : *line) {
        fuzzing::require(p.x >= ground.front().x && p.x <= ground.back().x,
                         "a soil beyond the ground's ends");
      }
    }
  }
  for (const slope::Load& load : model.loads) {
    fuzzing::require(
        load.from < load.to && load.from >= ground.front().x && load.to <= ground.back().x,
        "a load beyond the ground accepted");
  }
  return 0;
}
