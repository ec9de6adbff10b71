#include "slope/model_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <utility>
#include <vector>

#include "slope/geometry.h"
#include "slope/ground.h"
#include "slope/toml_bounds.h"
#include "slope/toml_include.h"
#include "text/number_text.h"

namespace slope {
namespace {

// Every `=`, `[`, `{`, `,` and key dot counts one toward this: a point
// `[x, y],` counts three, so the bound admits kMaxModelPoints points and the
// keys of the most soils and loads, and keeps toml++'s tree (about 270 bytes
// a point) within about a gigabyte.
constexpr TomlLimits kTomlLimits{3 * kMaxModelPoints + 100'000, 16, 8};

using Keys = std::span<const std::string_view>;
constexpr std::array<std::string_view, 10> kRootKeys = {
    "title", "subtitle", "units", "water_unit_weight", "bedrock",
    "soil",  "water",    "load",  "tension_crack",     "seismic"};
constexpr std::array<std::string_view, 9> kSoilKeys = {
    "name",   "unit_weight", "saturated_unit_weight", "cohesion", "friction_angle", "ru", "top",
    "region", "follow"};
constexpr std::array<std::string_view, 1> kWaterKeys = {"piezometric_line"};
constexpr std::array<std::string_view, 3> kLoadKeys = {"from", "to", "intensity"};
constexpr std::array<std::string_view, 4> kCrackKeys = {"depth", "water_depth", "from", "to"};
constexpr std::array<std::string_view, 2> kSeismicKeys = {"kh", "kv"};

std::string count_text(std::size_t count) {
  const std::string digits = std::to_string(count);
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

std::string_view type_text(toml::node_type type) {
  switch (type) {
    case toml::node_type::table:
      return "a table";
    case toml::node_type::array:
      return "an array";
    case toml::node_type::string:
      return "a string";
    case toml::node_type::integer:
      return "an integer";
    case toml::node_type::floating_point:
      return "a float";
    case toml::node_type::boolean:
      return "a boolean";
    case toml::node_type::date:
      return "a date";
    case toml::node_type::time:
      return "a time";
    case toml::node_type::date_time:
      return "a date-time";
    case toml::node_type::none:
      break;
  }
  return "nothing";
}

std::string list_text(Keys names) {
  std::string text;
  for (const std::string_view name : names) {
    if (!text.empty()) text += ", ";
    text += name;
  }
  return text;
}

std::string concat(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) text += part;
  return text;
}

// Where the parts of the model stand in the file, for the checks that come
// after reading.
struct SoilPlaces {
  const toml::node* table = nullptr;
  const toml::array* top = nullptr;
  const toml::array* region = nullptr;
  const toml::node* ru = nullptr;
};

struct LoadPlaces {
  const toml::node* from = nullptr;
  const toml::node* to = nullptr;
};

class Reader {
 public:
  ModelReading read(std::string_view text) {
    if (text.size() > kMaxModelFileBytes) {
      fail(0, 0,
           concat({"the file holds ", count_text(text.size()),
                   " bytes; a model file may hold at most ", count_text(kMaxModelFileBytes),
                   " (64 MiB)"}));
      return finish();
    }
    if (!within_bounds(text)) return finish();
    const toml::parse_result parsed = toml::parse(text);
    if (!parsed) {
      const toml::parse_error& error = parsed.error();
      fail(static_cast<int>(error.source().begin.line),
           static_cast<int>(error.source().begin.column), std::string(error.description()));
      return finish();
    }
    const toml::table& root = parsed.table();
    if (read_root(root) && check_water() && check_regions() && find_ground() &&
        check_ground_lines() && check_loads() && check_crack()) {
      reading_.status = ModelStatus::ok;
    }
    return finish();
  }

 private:
  ModelReading finish() {
    if (reading_.status != ModelStatus::ok) reading_.model = Model{};
    return std::move(reading_);
  }

  bool fail(int line, int column, std::string what) {
    reading_.status = ModelStatus::refused;
    reading_.error = {line, column, std::move(what)};
    return false;
  }

  bool fail(const toml::source_region& where, std::string what) {
    return fail(static_cast<int>(where.begin.line), static_cast<int>(where.begin.column),
                std::move(what));
  }

  bool fail(const toml::node& where, std::string what) {
    return fail(where.source(), std::move(what));
  }

  bool within_bounds(std::string_view text) {
    const TomlBreach breach = check_toml_bounds(text, kTomlLimits);
    switch (breach.kind) {
      case TomlBreach::Kind::none:
        return true;
      case TomlBreach::Kind::nodes:
        return fail(breach.line, breach.column,
                    concat({"the file holds more than ", count_text(kTomlLimits.max_nodes),
                            " values, arrays and keys, more than a model may hold (at most ",
                            count_text(kMaxModelPoints), " points in all)"}));
      case TomlBreach::Kind::nesting:
        return fail(breach.line, breach.column,
                    concat({"arrays and tables nested more than ",
                            std::to_string(kTomlLimits.max_nesting), " deep"}));
      case TomlBreach::Kind::key_parts:
        return fail(breach.line, breach.column,
                    concat({"a key of more than ", std::to_string(kTomlLimits.max_key_parts),
                            " dotted parts"}));
    }
    return true;
  }

  // Refuses any key of `table` not among `allowed`; `where` says which table
  // in the message.
  bool check_keys(const toml::table& table, Keys allowed, std::string_view where) {
    for (auto&& [key, node] : table) {
      bool known = false;
      for (const std::string_view name : allowed) known = known || key.str() == name;
      if (known) continue;
      return fail(key.source(), concat({"unknown key \"", key.str(), "\" ", where, " (it may hold ",
                                        list_text(allowed), ")"}));
    }
    return true;
  }

  bool number(const toml::node& node, std::string_view what, double& out) {
    if (const auto* integer = node.as_integer()) {
      out = static_cast<double>(integer->get());
    } else if (const auto* floating = node.as_floating_point()) {
      out = floating->get();
    } else {
      return fail(node, concat({what, " must be a number, not ", type_text(node.type())}));
    }
    if (!std::isfinite(out)) {
      return fail(node, concat({what, " must be a finite number, not ", text::shortest(out)}));
    }
    if (std::abs(out) > kMaxModelNumber) {
      return fail(node, concat({what, " ", text::shortest(out), " is beyond the limit of ",
                                text::shortest(kMaxModelNumber), " in size"}));
    }
    return true;
  }

  bool text(const toml::node& node, std::string_view what, std::string& out) {
    const auto* string = node.as_string();
    if (string == nullptr) {
      return fail(node, concat({what, " must be a string, not ", type_text(node.type())}));
    }
    out = string->get();
    for (const char c : out) {
      const auto code = static_cast<unsigned char>(c);
      if (code < 0x20 || code == 0x7F) {
        return fail(node, concat({what, " holds a control character (code ", std::to_string(code),
                                  "): it must be one line of text"}));
      }
    }
    if (out.size() > kMaxTextBytes) {
      return fail(node, concat({what, " is ", count_text(out.size()), " bytes long; at most ",
                                std::to_string(kMaxTextBytes), " fit a title line"}));
    }
    return true;
  }

  // A line (x strictly increasing, at least 2 points) or, with `closed`, a
  // region (at least 3 points, no point repeating the one before it).
  bool points(const toml::node& node, std::string_view what, bool closed, Polyline& out) {
    const toml::array* array = node.as_array();
    if (array == nullptr) {
      return fail(
          node, concat({what, " must be an array of points [x, y], not ", type_text(node.type())}));
    }
    const std::size_t least = closed ? 3 : 2;
    if (array->size() < least) {
      return fail(node, concat({what, " has ", std::to_string(array->size()),
                                array->size() == 1 ? " point" : " points", "; it needs at least ",
                                std::to_string(least)}));
    }
    total_points_ += array->size();
    if (total_points_ > kMaxModelPoints) {
      return fail(node, concat({"the model holds more than ", count_text(kMaxModelPoints),
                                " points in all"}));
    }
    out.reserve(array->size());
    for (std::size_t i = 0; i < array->size(); ++i) {
      const toml::node& element = *array->get(i);
      const std::string point_what = concat({"point ", std::to_string(i + 1), " of ", what});
      const toml::array* pair = element.as_array();
      if (pair == nullptr || pair->size() != 2) {
        return fail(element, concat({point_what, " must be an array of two numbers [x, y]"}));
      }
      Point p;
      if (!number(*pair->get(0), concat({"x of ", point_what}), p.x) ||
          !number(*pair->get(1), concat({"y of ", point_what}), p.y)) {
        return false;
      }
      if (!out.empty()) {
        const Point& before = out.back();
        if (!closed && p.x <= before.x) {
          return fail(element, concat({point_what, " (x = ", text::shortest(p.x),
                                       ") is not to the right of point ", std::to_string(i),
                                       " (x = ", text::shortest(before.x),
                                       "): x must increase strictly along a line"}));
        }
        if (closed && p.x == before.x && p.y == before.y) {
          return fail(element, concat({point_what, " repeats point ", std::to_string(i)}));
        }
      }
      out.push_back(p);
    }
    if (closed && out.back().x == out.front().x && out.back().y == out.front().y) {
      return fail(*array->get(array->size() - 1),
                  concat({"the last point of ", what,
                          " repeats its first: a region is closed without repeating it"}));
    }
    return true;
  }

  // The array of tables under `key` ([[soil]] or [[load]], or an array of
  // inline tables) into `out`; null when the key is absent.
  bool tables(const toml::table& root, std::string_view key, const toml::array*& out) {
    out = nullptr;
    const toml::node* node = root.get(key);
    if (node == nullptr) return true;
    out = node->as_array();
    return out != nullptr || fail(*node, concat({key, " must be given as [[", key,
                                                 "]] tables, not as ", type_text(node->type())}));
  }

  // The table under `key` ([water], [tension_crack], ...) into `out`, its
  // keys checked; null when the key is absent.
  bool section(const toml::table& root, std::string_view key, Keys allowed,
               const toml::table*& out) {
    out = nullptr;
    const toml::node* node = root.get(key);
    if (node == nullptr) return true;
    out = node->as_table();
    if (out == nullptr) {
      return fail(*node,
                  concat({key, " must be a [", key, "] table, not ", type_text(node->type())}));
    }
    return check_keys(*out, allowed, concat({"in [", key, "]"}));
  }

  // A number, or the string `word` (then `is_word`, and `out` is left alone).
  bool number_or_word(const toml::node& node, std::string_view what, std::string_view word,
                      double& out, bool& is_word) {
    is_word = false;
    if (const auto* string = node.as_string()) {
      is_word = string->get() == word;
      return is_word || fail(node, concat({what, " is a string other than \"", word,
                                           "\": give a number or the word \"", word, "\""}));
    }
    if (!node.is_number()) {
      return fail(node, concat({what, " must be a number or the word \"", word, "\", not ",
                                type_text(node.type())}));
    }
    return number(node, what, out);
  }

  bool read_root(const toml::table& root) {
    if (!check_keys(root, kRootKeys, "at the top level")) return false;
    Model& model = reading_.model;
    const toml::node* title = root.get("title");
    if (title == nullptr) return fail(0, 0, "the model has no title");
    if (!text(*title, "title", model.title)) return false;
    if (const auto* node = root.get("subtitle"); node && !text(*node, "subtitle", model.subtitle)) {
      return false;
    }
    if (const auto* node = root.get("units"); node && !text(*node, "units", model.units)) {
      return false;
    }
    if (const auto* node = root.get("water_unit_weight")) {
      if (!number(*node, "water_unit_weight", model.water_unit_weight)) return false;
      if (model.water_unit_weight <= 0.0) {
        return fail(*node, concat({"water_unit_weight ", text::shortest(model.water_unit_weight),
                                   " must be above 0"}));
      }
    }
    if (const auto* node = root.get("bedrock")) {
      bedrock_place_ = node->as_array();
      if (!points(*node, "the bedrock line", false, model.bedrock)) return false;
    }
    return read_soils(root) && read_water(root) && read_loads(root) && read_crack(root) &&
           read_seismic(root);
  }

  bool read_soils(const toml::table& root) {
    const toml::array* soils = nullptr;
    if (!tables(root, "soil", soils)) return false;
    if (soils == nullptr) {
      return fail(0, 0, "the model has no soil: give at least one [[soil]] table");
    }
    if (soils->empty()) {
      return fail(*soils, "the model has no soil: give at least one [[soil]] table");
    }
    for (std::size_t k = 0; k < soils->size(); ++k) {
      const toml::node& node = *soils->get(k);
      if (k == kMaxSoils) {
        return fail(node, concat({"more than ", count_text(kMaxSoils), " soils"}));
      }
      if (!read_soil(node, k)) return false;
    }
    return true;
  }

  bool read_soil(const toml::node& node, std::size_t index) {
    std::string label = concat({"soil ", std::to_string(index + 1)});
    const toml::table* table = node.as_table();
    if (table == nullptr) {
      return fail(node, concat({label, " must be a table, not ", type_text(node.type())}));
    }
    if (!check_keys(*table, kSoilKeys, concat({"in ", label}))) return false;
    Soil soil;
    SoilPlaces places;
    places.table = &node;
    const auto required = [&](std::string_view key) -> const toml::node* {
      const toml::node* found = table->get(key);
      if (found == nullptr) fail(node, concat({label, " has no ", key}));
      return found;
    };
    const toml::node* name = required("name");
    if (name == nullptr || !text(*name, concat({"the name of ", label}), soil.name)) return false;
    if (soil.name.empty()) return fail(*name, concat({"the name of ", label, " is empty"}));
    for (std::size_t k = 0; k < reading_.model.soils.size(); ++k) {
      if (reading_.model.soils[k].name == soil.name) {
        return fail(*name, concat({label, " has the name \"", soil.name, "\" of soil ",
                                   std::to_string(k + 1), ": names must differ"}));
      }
    }
    label = concat({label, " (\"", soil.name, "\")"});
    const auto property = [&](std::string_view key, double& out) {
      const toml::node* found = required(key);
      return found != nullptr && number(*found, concat({key, " of ", label}), out);
    };
    if (!property("unit_weight", soil.unit_weight)) return false;
    soil.saturated_unit_weight = soil.unit_weight;
    if (const auto* found = table->get("saturated_unit_weight");
        found &&
        !number(*found, concat({"saturated_unit_weight of ", label}), soil.saturated_unit_weight)) {
      return false;
    }
    if (!property("cohesion", soil.cohesion) || !property("friction_angle", soil.friction_angle)) {
      return false;
    }
    const auto refuse_negative = [&](std::string_view key, double value) {
      return value >= 0.0 ||
             fail(*table->get(key), concat({key, " of ", label, " is ", text::shortest(value),
                                            ": it must not be negative"}));
    };
    if (!refuse_negative("unit_weight", soil.unit_weight) ||
        (table->get("saturated_unit_weight") &&
         !refuse_negative("saturated_unit_weight", soil.saturated_unit_weight)) ||
        !refuse_negative("cohesion", soil.cohesion)) {
      return false;
    }
    // 90 degrees is refused too: no finite friction coefficient belongs to it.
    if (soil.friction_angle < 0.0 || soil.friction_angle >= 90.0) {
      return fail(*table->get("friction_angle"),
                  concat({"friction_angle of ", label, " is ", text::shortest(soil.friction_angle),
                          ": it must lie from 0 up to (not including) 90 degrees"}));
    }
    if (const auto* found = table->get("ru")) {
      places.ru = found;
      if (!number(*found, concat({"ru of ", label}), soil.ru)) return false;
      if (soil.ru < 0.0) {
        return fail(*found, concat({"ru of ", label, " is ", text::shortest(soil.ru),
                                    ": a pore-pressure ratio cannot be negative (0 to 1)"}));
      }
      if (soil.ru > 1.0) {
        return fail(*found, concat({"ru of ", label, " is ", text::shortest(soil.ru),
                                    ": a pore-pressure ratio lies from 0 to 1"}));
      }
    }
    const toml::node* top = table->get("top");
    const toml::node* region = table->get("region");
    if (const toml::node* follow = table->get("follow")) {
      const auto* flag = follow->as_boolean();
      if (flag == nullptr) {
        return fail(*follow, concat({"follow of ", label, " must be true or false, not ",
                                     type_text(follow->type())}));
      }
      soil.follow = flag->get();
      if (soil.follow && top == nullptr) {
        return fail(*follow, concat({"follow of ", label,
                                     ": only a layer (top) has a bottom to follow, not a region"}));
      }
    }
    if (top != nullptr && region != nullptr) {
      return fail(*region, concat({label,
                                   " gives both top and region: a soil is a layer (top) or a "
                                   "region, not both"}));
    }
    if (top == nullptr && region == nullptr) {
      return fail(node, concat({label, " gives neither top (a layer) nor region"}));
    }
    if (top != nullptr) {
      places.top = top->as_array();
      if (!points(*top, concat({"the top of ", label}), false, soil.top)) return false;
    } else {
      places.region = region->as_array();
      if (!points(*region, concat({"the region of ", label}), true, soil.region)) return false;
      region_points_ += soil.region.size();
      if (region_points_ > kMaxRegionPoints) {
        return fail(*region, concat({"the regions hold more than ", count_text(kMaxRegionPoints),
                                     " points in all"}));
      }
    }
    reading_.model.soils.push_back(std::move(soil));
    soil_places_.push_back(places);
    return true;
  }

  bool read_water(const toml::table& root) {
    const toml::table* water = nullptr;
    if (!section(root, "water", kWaterKeys, water)) return false;
    if (water == nullptr) return true;
    const toml::node* line = water->get("piezometric_line");
    if (line == nullptr) return fail(*water, "[water] has no piezometric_line");
    piezometric_place_ = line->as_array();
    return points(*line, "the piezometric line", false, reading_.model.piezometric_line);
  }

  bool read_loads(const toml::table& root) {
    const toml::array* loads = nullptr;
    if (!tables(root, "load", loads)) return false;
    if (loads == nullptr) return true;
    for (std::size_t k = 0; k < loads->size(); ++k) {
      const toml::node& node = *loads->get(k);
      const std::string label = concat({"load ", std::to_string(k + 1)});
      if (k == kMaxLoads)
        return fail(node, concat({"more than ", count_text(kMaxLoads), " loads"}));
      const toml::table* table = node.as_table();
      if (table == nullptr) {
        return fail(node, concat({label, " must be a table, not ", type_text(node.type())}));
      }
      if (!check_keys(*table, kLoadKeys, concat({"in ", label}))) return false;
      Load load;
      LoadPlaces places;
      const auto field = [&](std::string_view key, double& out) -> const toml::node* {
        const toml::node* found = table->get(key);
        if (found == nullptr) {
          fail(node, concat({label, " has no ", key}));
          return nullptr;
        }
        return number(*found, concat({key, " of ", label}), out) ? found : nullptr;
      };
      places.from = field("from", load.from);
      if (places.from == nullptr) return false;
      places.to = field("to", load.to);
      if (places.to == nullptr || !read_intensity(*table, label, load)) return false;
      if (load.from >= load.to) {
        return fail(*places.to,
                    concat({label, " runs from x = ", text::shortest(load.from),
                            " to x = ", text::shortest(load.to), ": from must be left of to"}));
      }
      reading_.model.loads.push_back(load);
      load_places_.push_back(places);
    }
    return true;
  }

  // A number, or two: the intensity at from and at to.
  bool read_intensity(const toml::table& table, std::string_view label, Load& load) {
    const toml::node* node = table.get("intensity");
    if (node == nullptr) return fail(table, concat({label, " has no intensity"}));
    const std::string what = concat({"intensity of ", label});
    const toml::array* pair = node->as_array();
    if (pair == nullptr) {
      if (!number(*node, what, load.intensity)) return false;
      load.intensity_to = load.intensity;
      return true;
    }
    if (pair->size() != 2) {
      return fail(*node, concat({what, " is an array of ", std::to_string(pair->size()),
                                 pair->size() == 1 ? " value" : " values",
                                 ": give one number, or two [at from, at to]"}));
    }
    return number(*pair->get(0), concat({"the intensity at from of ", label}), load.intensity) &&
           number(*pair->get(1), concat({"the intensity at to of ", label}), load.intensity_to);
  }

  bool read_crack(const toml::table& root) {
    const toml::table* table = nullptr;
    if (!section(root, "tension_crack", kCrackKeys, table)) return false;
    if (table == nullptr) return true;
    TensionCrack& crack = reading_.model.tension_crack;
    const toml::node* depth = table->get("depth");
    if (depth == nullptr) return fail(*table, "[tension_crack] has no depth");
    if (!number_or_word(*depth, "depth of [tension_crack]", "auto", crack.depth,
                        crack.automatic_depth)) {
      return false;
    }
    if (crack.depth < 0.0) {
      return fail(*depth, concat({"depth of [tension_crack] is ", text::shortest(crack.depth),
                                  ": it must not be negative (0: no crack)"}));
    }
    crack.present = crack.automatic_depth || crack.depth > 0.0;
    if (const toml::node* water = table->get("water_depth")) {
      if (!number_or_word(*water, "water_depth of [tension_crack]", "full", crack.water_depth,
                          crack.full)) {
        return false;
      }
      if (crack.water_depth < 0.0) {
        return fail(*water,
                    concat({"water_depth of [tension_crack] is ", text::shortest(crack.water_depth),
                            ": it must not be negative (0: a dry crack)"}));
      }
      if (!crack.automatic_depth && crack.water_depth > crack.depth) {
        return fail(*water,
                    concat({"water_depth of [tension_crack] is ", text::shortest(crack.water_depth),
                            ", more than its depth ", text::shortest(crack.depth)}));
      }
      if ((crack.full || crack.water_depth > 0.0) && reading_.model.water_unit_weight == 0.0) {
        return fail(
            *water,
            "water in the tension crack needs water_unit_weight (above 0) at the top level");
      }
    }
    crack_from_ = table->get("from");
    crack_to_ = table->get("to");
    if ((crack_from_ == nullptr) != (crack_to_ == nullptr)) {
      return fail(
          crack_from_ != nullptr ? *crack_from_ : *crack_to_,
          concat({"[tension_crack] gives ", crack_from_ != nullptr ? "from" : "to", " without ",
                  crack_from_ != nullptr ? "to" : "from", ": give both or neither"}));
    }
    if (crack_from_ == nullptr) return true;
    crack.range_given = true;
    if (!number(*crack_from_, "from of [tension_crack]", crack.from) ||
        !number(*crack_to_, "to of [tension_crack]", crack.to)) {
      return false;
    }
    return crack.from < crack.to ||
           fail(*crack_to_,
                concat({"[tension_crack] runs from x = ", text::shortest(crack.from),
                        " to x = ", text::shortest(crack.to), ": from must be left of to"}));
  }

  bool read_seismic(const toml::table& root) {
    const toml::table* table = nullptr;
    if (!section(root, "seismic", kSeismicKeys, table)) return false;
    if (table == nullptr) return true;
    Seismic& seismic = reading_.model.seismic;
    if (const toml::node* kh = table->get("kh")) {
      if (!number(*kh, "kh of [seismic]", seismic.kh)) return false;
      if (seismic.kh < 0.0 || seismic.kh > 1.0) {
        return fail(*kh, concat({"kh of [seismic] is ", text::shortest(seismic.kh),
                                 ": it must lie from 0 to 1"}));
      }
    }
    if (const toml::node* kv = table->get("kv")) {
      if (!number(*kv, "kv of [seismic]", seismic.kv)) return false;
      if (seismic.kv <= -1.0 || seismic.kv > 1.0) {
        return fail(*kv, concat({"kv of [seismic] is ", text::shortest(seismic.kv),
                                 ": it must lie above -1, up to 1 (downward positive)"}));
      }
    }
    return true;
  }

  // Water: a piezometric line or ru, not both, and either needs the unit
  // weight of water.
  bool check_water() {
    const Model& model = reading_.model;
    if (!model.piezometric_line.empty() && model.water_unit_weight == 0.0) {
      return fail(*piezometric_place_,
                  "the piezometric line needs water_unit_weight (above 0) at the top level");
    }
    for (std::size_t k = 0; k < model.soils.size(); ++k) {
      const Soil& soil = model.soils[k];
      if (soil.ru <= 0.0) continue;
      const std::string label = concat({"soil ", std::to_string(k + 1), " (\"", soil.name, "\")"});
      if (!model.piezometric_line.empty()) {
        return fail(*soil_places_[k].ru,
                    concat({label, " gives ru ", text::shortest(soil.ru),
                            " and the model has a piezometric line: use one or the other"}));
      }
      if (model.water_unit_weight == 0.0) {
        return fail(*soil_places_[k].ru, concat({label, " gives ru ", text::shortest(soil.ru),
                                                 ": ru needs water_unit_weight (above 0) at the "
                                                 "top level"}));
      }
    }
    return true;
  }

  // The model's size: lengths below a fraction of it count as zero.
  double tolerance() const {
    double x_min = HUGE_VAL, x_max = -HUGE_VAL, y_min = HUGE_VAL, y_max = -HUGE_VAL;
    for (const Soil& soil : reading_.model.soils) {
      for (const Polyline* line : {&soil.top, &soil.region}) {
        for (const Point& p : *line) {
          x_min = std::min(x_min, p.x);
          x_max = std::max(x_max, p.x);
          y_min = std::min(y_min, p.y);
          y_max = std::max(y_max, p.y);
        }
      }
    }
    return kRelativeTolerance * std::max(x_max - x_min, y_max - y_min);
  }

  bool check_regions() {
    const std::vector<Soil>& soils = reading_.model.soils;
    tolerance_ = tolerance();
    std::vector<std::size_t> regions;
    for (std::size_t k = 0; k < soils.size(); ++k) {
      if (soils[k].region.empty()) continue;
      const Polyline& region = soils[k].region;
      const toml::array& place = *soil_places_[k].region;
      const std::string label =
          concat({"the region of soil ", std::to_string(k + 1), " (\"", soils[k].name, "\")"});
      double extent = 0.0;
      for (const Point& p : region) {
        extent = std::max({extent, std::abs(p.x - region[0].x), std::abs(p.y - region[0].y)});
      }
      if (std::abs(signed_area(region)) <= kRelativeTolerance * extent * extent) {
        return fail(place, concat({label, " encloses no area"}));
      }
      const EdgePair crossing = find_self_crossing(region, tolerance_);
      if (crossing.found) {
        const auto edge = [&](std::size_t e) {
          return concat({"the edge from point ", std::to_string(e + 1), " to point ",
                         std::to_string((e + 1) % region.size() + 1)});
        };
        return fail(*place.get(crossing.second),
                    concat({label, ": ", edge(crossing.second), " crosses or touches ",
                            edge(crossing.first)}));
      }
      for (const std::size_t other : regions) {
        if (polygons_overlap(soils[other].region, region, tolerance_)) {
          return fail(
              place, concat({label, " overlaps the region of soil ", std::to_string(other + 1),
                             " (\"", soils[other].name, "\"): regions may touch but not overlap"}));
        }
      }
      regions.push_back(k);
    }
    return true;
  }

  const toml::node& soil_place(std::size_t k) const {
    const SoilPlaces& places = soil_places_[k];
    if (places.top != nullptr) return *places.top;
    return *places.region;
  }

  bool find_ground() {
    Model& model = reading_.model;
    GroundDerivation derived = derive_ground(model.soils);
    const std::string label = derived.soil < model.soils.size()
                                  ? concat({"soil ", std::to_string(derived.soil + 1), " (\"",
                                            model.soils[derived.soil].name, "\")"})
                                  : std::string("a soil");
    switch (derived.problem) {
      case GroundProblem::none:
        model.ground = std::move(derived.ground);
        return true;
      case GroundProblem::gap:
        return fail(soil_place(derived.soil),
                    concat({"no soil lies between x = ", text::shortest(derived.x), " (where ",
                            label, " ends) and x = ", text::shortest(derived.x_to),
                            ": the soils must cover the ground without a gap"}));
      case GroundProblem::step:
        return fail(
            soil_place(derived.soil),
            concat({"the ground surface steps vertically at x = ", text::shortest(derived.x),
                    " (at the edge of ", label, "): a ground line cannot hold a vertical face"}));
      case GroundProblem::no_soil:
      case GroundProblem::invalid:
        break;
    }
    return fail(0, 0, "the soils give no ground surface");
  }

  // The point of `line` at x, or the line itself where x is none of its
  // points.
  static const toml::node& place_at(const toml::array& place, const Polyline& line, double x) {
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i].x == x) return *place.get(i);
    }
    return place;
  }

  bool check_ground_lines() {
    const Model& model = reading_.model;
    const Polyline& ground = model.ground;
    if (!model.piezometric_line.empty()) {
      const Polyline& line = model.piezometric_line;
      if (line.front().x > ground.front().x || line.back().x < ground.back().x) {
        return fail(
            *piezometric_place_,
            concat({"the piezometric line runs from x = ", text::shortest(line.front().x),
                    " to x = ", text::shortest(line.back().x),
                    "; it must span the whole ground, from x = ", text::shortest(ground.front().x),
                    " to x = ", text::shortest(ground.back().x)}));
      }
    }
    if (!model.bedrock.empty()) {
      const Rise rise = find_rise_above(model.bedrock, ground, tolerance_);
      if (rise.found) {
        return fail(place_at(*bedrock_place_, model.bedrock, rise.x),
                    concat({"the bedrock line rises above the ground at x = ",
                            text::shortest(rise.x), " (", text::shortest(rise.height),
                            " over ground at ", text::shortest(rise.height_below), ")"}));
      }
    }
    return true;
  }

  bool check_loads() {
    const Model& model = reading_.model;
    const double left = model.ground.front().x;
    const double right = model.ground.back().x;
    for (std::size_t k = 0; k < model.loads.size(); ++k) {
      const Load& load = model.loads[k];
      if (load.from >= left && load.to <= right) continue;
      return fail(load.from < left ? *load_places_[k].from : *load_places_[k].to,
                  concat({"load ", std::to_string(k + 1), " (x = ", text::shortest(load.from),
                          " to ", text::shortest(load.to),
                          ") reaches beyond the ground, which runs from x = ", text::shortest(left),
                          " to x = ", text::shortest(right)}));
    }
    return true;
  }

  bool check_crack() {
    const TensionCrack& crack = reading_.model.tension_crack;
    const double left = reading_.model.ground.front().x;
    const double right = reading_.model.ground.back().x;
    if (!crack.range_given || (crack.from >= left && crack.to <= right)) return true;
    return fail(crack.from < left ? *crack_from_ : *crack_to_,
                concat({"[tension_crack] (x = ", text::shortest(crack.from), " to ",
                        text::shortest(crack.to),
                        ") reaches beyond the ground, which runs from x = ", text::shortest(left),
                        " to x = ", text::shortest(right)}));
  }

  ModelReading reading_;
  std::vector<SoilPlaces> soil_places_;
  std::vector<LoadPlaces> load_places_;
  const toml::array* bedrock_place_ = nullptr;
  const toml::array* piezometric_place_ = nullptr;
  const toml::node* crack_from_ = nullptr;
  const toml::node* crack_to_ = nullptr;
  std::size_t total_points_ = 0;
  std::size_t region_points_ = 0;
  double tolerance_ = 0.0;
};

}  // namespace

ModelReading read_model(std::string_view text) { return Reader().read(text); }

std::string describe(const ModelError& error, std::string_view source_name) {
  std::string text(source_name);
  if (error.line > 0) {
    text += ':';
    text += std::to_string(error.line);
    text += ':';
    text += std::to_string(error.column);
  }
  text += ": ";
  text += error.what;
  return text;
}

}  // namespace slope
