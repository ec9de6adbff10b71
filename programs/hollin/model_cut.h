// The first steps of the commands that work on a trial surface through a
// model: the surface options parsed, the model file read and validated, the
// surface cut into sections; every refusal reported on the way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "programs/hollin/command_context.h"
#include "programs/hollin/load_options.h"
#include "programs/hollin/surface_option.h"
#include "slope/model.h"
#include "slope/slicing.h"
#include "slope/slip_surface.h"

namespace hollin {

/// A model with one trial surface cut through it.
struct ModelCut {
  slope::Model model;
  slope::SlipSurface surface;
  std::int32_t slices = 0;  ///< N: no slice wider than (exit - entry) / N
  slope::Cut cut;
};

/// How far cut_model_surface came.
enum class [[nodiscard]] CutStep{
    admissible,     ///< `cut` holds the sections of one sliding mass
    usage_error,    ///< the surface options are malformed (exit status 2)
    model_refused,  ///< the model file cannot be read or is refused (exit status 1)
    inadmissible    ///< the surface cuts out no single sliding mass (exit status 1)
};

/// Parses `options`, reads the model file `model_path`, puts `loads` (when
/// given) into it and cuts the surface into `out`. Every outcome but `admissible` has put its
/// message into `context`; after `inadmissible`, out.model and out.surface are complete and
/// out.cut.problem says why.
CutStep cut_model_surface(const SurfaceOptions& options, const std::string& model_path,
                          ModelCut& out, CommandContext& context,
                          const LoadOptions* loads = nullptr);

/// The exit status of a step that is not `admissible`.
[[nodiscard]] int exit_status(CutStep step);

/// Writes `cut` through `model` as the slope data file `path`, whole or not
/// at all and never over `model_path`. `what` names the surface in messages
/// ("the cut", "the critical surface"). False, with the reason in `context`,
/// when the cut carries a force a data file has no place for (crack water,
/// an earthquake, a horizontal water thrust), holds too many sections, a
/// value is not finite or the file cannot be written; `slices` is the N asked for, for the advice.
[[nodiscard]] bool write_cut_file(const std::string& path, const slope::Model& model,
                                  const slope::Cut& cut, const std::string& model_path,
                                  std::string_view what, std::int32_t slices,
                                  CommandContext& context);

}  // namespace hollin
