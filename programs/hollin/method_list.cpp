#include "programs/hollin/method_list.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

#include "programs/hollin/option_words.h"

namespace hollin {
namespace {

void add_once(std::vector<method::Method>& methods, method::Method method) {
  if (std::find(methods.begin(), methods.end(), method) == methods.end()) {
    methods.push_back(method);
  }
}

std::string_view trimmed(std::string_view word) {
  const std::size_t first = word.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return word.substr(first, word.find_last_not_of(' ') - first + 1);
}

}  // namespace

bool parse_method_list(std::string_view option, std::string_view text,
                       std::vector<method::Method>& methods, std::string& why) {
  if (trimmed(text).empty()) {
    why = std::string(option) + ": no method named; give method words separated by commas";
    return false;
  }
  std::vector<method::Method> named;
  std::size_t begin = 0;
  while (true) {
    const std::size_t comma = text.find(',', begin);
    const std::string_view word =
        trimmed(text.substr(begin, comma == std::string_view::npos ? comma : comma - begin));
    if (word.empty()) {
      why = std::string(option) + ": '" + std::string(text) +
            "' has an empty method word; give method words separated by commas";
      return false;
    }
    if (word == "all") {
      for (const method::MethodEntry& entry : method::kMethods) add_once(named, entry.method);
    } else if (const std::optional<method::Method> method = value_of(kMethodWords, word)) {
      add_once(named, *method);
    } else {
      why = std::string(option) + ": '" + std::string(word) + "' is not a method: give ";
      for (const Word<method::Method>& entry : kMethodWords) why += std::string(entry.word) + ", ";
      why += "or all";
      return false;
    }
    if (comma == std::string_view::npos) break;
    begin = comma + 1;
  }
  methods = std::move(named);
  return true;
}

}  // namespace hollin
