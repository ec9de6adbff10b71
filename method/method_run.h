// The one way into the methods of slices. A method is run in two stages: the
// start fills the slice table (geometry, weights, the method's first values),
// the finish gives the factor. A caller may look at the table in between, as
// the search does to leave out a sliding mass too light to matter. Every
// command, program and search runs the methods through here, so a factor is
// the same bits wherever it is computed. A new method is one file in this
// folder and one entry in kMethods.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "method/force_methods.h"
#include "method/general_limit_equilibrium.h"
#include "method/gle.h"
#include "method/janbu.h"
#include "method/method_settings.h"
#include "method/morgenstern_price.h"
#include "method/ordinary_method.h"
#include "method/simplified_method.h"
#include "method/spencer.h"

namespace method {

/// One method: its name (the word of the command line, the text and the
/// JSON), its two stages, and the slices in tension of a finished run (each
/// method holds the normal force with its own sign).
struct MethodEntry {
  Method method;
  std::string_view name;
  void (*start)(const SurfaceData&, const MethodSettings&, SliceTable&);
  MethodResult (*finish)(const SurfaceData&, const MethodSettings&, SliceTable&);
  std::vector<std::int32_t> (*tension_slices)(const SliceTable&, const MethodResult&);
};

/// Every method, in the order of the enumeration Method.
inline constexpr std::array<MethodEntry, 9> kMethods{{
    {Method::simplified, "simplified", &start_simplified, &finish_simplified,
     &simplified_tension_slices},
    {Method::ordinary, "ordinary", &start_ordinary, &finish_ordinary, &ordinary_tension_slices},
    {Method::spencer, "spencer", &start_general, &finish_spencer, &general_tension_slices},
    {Method::morgenstern_price, "morgenstern-price", &start_general, &finish_morgenstern_price,
     &general_tension_slices},
    {Method::janbu, "janbu", &start_general, &finish_janbu, &general_tension_slices},
    {Method::corps_1, "corps-1", &start_general, &finish_force_method, &general_tension_slices},
    {Method::corps_2, "corps-2", &start_general, &finish_force_method, &general_tension_slices},
    {Method::lowe_karafiath, "lowe-karafiath", &start_general, &finish_force_method,
     &general_tension_slices},
    {Method::gle, "gle", &start_general, &finish_gle, &general_tension_slices},
}};

/// The entry of `method`.
[[nodiscard]] constexpr const MethodEntry& method_entry(Method method) {
  return kMethods[static_cast<std::size_t>(method)];
}

/// "simplified", "ordinary", "spencer", "morgenstern-price", "janbu",
/// "corps-1", "corps-2", "lowe-karafiath", "gle".
[[nodiscard]] constexpr std::string_view method_name(Method method) {
  return method_entry(method).name;
}

/// Stage one: fills `table` for the settings' method. Afterwards the table's
/// geometry and weights hold; its sums are the method's start.
void start_method(const SurfaceData& surface, const MethodSettings& settings, SliceTable& table);

/// Stage two, on the table start_method filled for the same surface and
/// settings: the factor of safety, or how the method ended without one.
[[nodiscard]] MethodResult finish_method(const SurfaceData& surface, const MethodSettings& settings,
                                         SliceTable& table);

/// Both stages. The table keeps what the results report prints.
[[nodiscard]] MethodResult run_method(const SurfaceData& surface, const MethodSettings& settings,
                                      SliceTable& table);

/// A run with everything a command reports of it: the settings, the result,
/// the slices whose effective normal force is negative (tension), and the
/// slices whose friction the method dropped (the ordinary method's slices
/// without positive effective normal force; none for the others).
struct MethodRun {
  MethodSettings settings;
  MethodResult result;
  std::vector<std::int32_t> tension_slices;
  std::vector<std::int32_t> friction_dropped;
  /// The general method: its factors of moment and of force equilibrium
  /// alone against lambda; empty for the other methods.
  std::vector<GleRow> curves;
};

/// Both stages on a table of its own.
[[nodiscard]] MethodRun run_method(const SurfaceData& surface, const MethodSettings& settings);

}  // namespace method
