// The words of the options that choose one of a few things, each set in one
// table: CLI11 checks the command line against it, the command turns the word
// into its value with it, and the text and the JSON name the value by it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "method/method_run.h"
#include "search/default_limits.h"

namespace hollin {

/// One word and the value it stands for.
template <typename Value>
struct Word {
  std::string_view word;
  Value value;
};

/// A table of words, in the order the help and the messages list them.
template <typename Value, std::size_t N>
using Words = std::array<Word<Value>, N>;

/// `hollin search --method`: one method, named as the method runner names it.
inline constexpr Words<method::Method, method::kMethods.size()> kMethodWords = [] {
  Words<method::Method, method::kMethods.size()> words{};
  for (std::size_t i = 0; i < words.size(); ++i) {
    words[i] = {method::kMethods[i].name, method::kMethods[i].method};
  }
  return words;
}();

/// `hollin analyse --method`: one of the methods, or both (none named: the
/// simplified and the ordinary method, those of the data file programs).
inline constexpr Words<std::optional<method::Method>, kMethodWords.size() + 1> kAnalyseMethodWords =
    [] {
      Words<std::optional<method::Method>, kMethodWords.size() + 1> words{};
      for (std::size_t i = 0; i < kMethodWords.size(); ++i) {
        words[i] = {kMethodWords[i].word, kMethodWords[i].value};
      }
      words.back() = {"both", std::nullopt};
      return words;
    }();

/// `hollin report --method`: the method of one of the data file programs.
inline constexpr Words<method::Method, 2> kReportMethodWords{{
    {method::method_name(method::Method::simplified), method::Method::simplified},
    {method::method_name(method::Method::ordinary), method::Method::ordinary},
}};

/// `--interslice`: the shape of f(x) of the Morgenstern-Price and general
/// methods ("points" comes with --interslice-points).
inline constexpr Words<method::Interslice, 5> kInterslice{{
    {"constant", method::Interslice::constant},
    {"half-sine", method::Interslice::half_sine},
    {"clipped-sine", method::Interslice::clipped_sine},
    {"trapezoidal", method::Interslice::trapezoidal},
    {"points", method::Interslice::points},
}};

/// `--tension`.
inline constexpr Words<method::TensionRule, 2> kTensionWords{{
    {"stop", method::TensionRule::stop},
    {"allow", method::TensionRule::allow},
}};

/// `--pore-force`.
inline constexpr Words<method::PoreForce, 2> kPoreForceWords{{
    {"base-width", method::PoreForce::base_width},
    {"base-length", method::PoreForce::base_length},
}};

/// `hollin search --face`.
inline constexpr Words<search::Face, 2> kFaceWords{{
    {"left", search::Face::left},
    {"right", search::Face::right},
}};

/// `hollin init --language`: the language of the settings files.
enum class Language { english, german };

inline constexpr Words<Language, 2> kLanguageWords{{
    {"en", Language::english},
    {"de", Language::german},
}};

/// The value of `word`; empty when the table does not hold it.
template <typename Value, std::size_t N>
[[nodiscard]] constexpr std::optional<Value> value_of(const Words<Value, N>& words,
                                                      std::string_view word) {
  for (const Word<Value>& entry : words) {
    if (entry.word == word) return entry.value;
  }
  return std::nullopt;
}

/// The word of `value` (the first, should two words stand for it).
template <typename Value, std::size_t N>
[[nodiscard]] constexpr std::string_view word_of(const Words<Value, N>& words, Value value) {
  for (const Word<Value>& entry : words) {
    if (entry.value == value) return entry.word;
  }
  return {};
}

/// The words alone, for CLI11's check of the command line.
template <typename Value, std::size_t N>
[[nodiscard]] std::vector<std::string> word_strings(const Words<Value, N>& words) {
  std::vector<std::string> out;
  for (const Word<Value>& entry : words) out.emplace_back(entry.word);
  return out;
}

/// "stop or allow", "simplified, ordinary or both": the words for a message.
template <typename Value, std::size_t N>
[[nodiscard]] std::string word_list(const Words<Value, N>& words) {
  std::string out;
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) out += i + 1 == N ? " or " : ", ";
    out += words[i].word;
  }
  return out;
}

/// Turns the text of `option` into its value; false with `why` ("--tension:
/// 'x' is not stop or allow") for a word the table does not hold.
template <typename Value, std::size_t N>
[[nodiscard]] bool parse_word(std::string_view option, const Words<Value, N>& words,
                              std::string_view text, Value& value, std::string& why) {
  if (const std::optional<Value> found = value_of(words, text)) {
    value = *found;
    return true;
  }
  why = std::string(option) + ": '" + std::string(text) + "' is not " + word_list(words);
  return false;
}

}  // namespace hollin
