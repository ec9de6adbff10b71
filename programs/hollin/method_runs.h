// A method run (method/method_run.h) told for the tool's commands: what it
// ended in (a factor, a stop at a slice, no convergence, dropped friction),
// the same way in text for people and in JSON for scripts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "method/method_run.h"
#include "method/slice_forces.h"
#include "text/json_writer.h"

namespace hollin {

/// "half-sine", "clipped-sine 0.5 to 0.5", "points 0,0 0.5,1 1,0": the
/// interslice function for people.
[[nodiscard]] std::string interslice_text(const method::IntersliceFunction& function);

/// The members interslice (the shape's word) and, for the shapes with them,
/// interslice_ends ([head, toe]) or interslice_points ([[x, f], ...]).
void write_interslice_json(text::JsonWriter& json, const method::IntersliceFunction& function);

/// The method and what it was run with, for a picture or a heading:
/// "simplified", "morgenstern-price, f(x) half-sine", "janbu, corrected by
/// f0", "ordinary, pore force on the base length".
[[nodiscard]] std::string method_label(const method::MethodSettings& settings);

/// "no_positive_normal_force", "small_m_factor"; empty for other ends.
[[nodiscard]] std::string_view stop_key(method::IterationStop stop);

/// Appends LEAD, "s" for more than one slice, the slice numbers and WHY:
/// "; tension at slices 1, 2 (effective normal force negative)". Nothing for
/// no slices.
void append_slices(std::string& out, std::string_view lead, const std::vector<std::int32_t>& slices,
                   std::string_view why);

/// The member NAME: [slice, ...].
void write_slices_json(text::JsonWriter& json, std::string_view name,
                       const std::vector<std::int32_t>& slices);

/// Appends one line for people, e.g. "simplified: factor of safety 1.395 (6
/// passes, converged)" or "simplified: no factor: stopped at slice 3 in pass
/// 1, m-factor below 0.2".
void append_run_text(std::string& out, const method::MethodRun& run);

/// Writes the run as one JSON object: method, factor_of_safety (null when
/// there is none), passes, status, slice, reason, tension_slices, and for
/// the ordinary method pore_force and friction_dropped.
/// With `forces`, also slices: per slice normal, shear and pore (the
/// effective normal force, the mobilised shear force and the pore-water force
/// on its base), and interslice ({head_normal, head_shear, toe_normal,
/// toe_shear}: the forces on the slice, normal forces pushing it away from
/// that side and shear forces upward; null for a method without interslice
/// forces).
void write_run_json(text::JsonWriter& json, const method::MethodRun& run,
                    const std::vector<method::SliceForces>* forces = nullptr);

}  // namespace hollin
