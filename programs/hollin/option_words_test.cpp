#include "programs/hollin/option_words.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace hollin {
namespace {

// Every word of a table stands for its value and back, and no word twice.
template <typename Value, std::size_t N>
void expect_round_trip(const Words<Value, N>& words) {
  std::set<std::string_view> seen;
  for (const Word<Value>& entry : words) {
    EXPECT_TRUE(seen.insert(entry.word).second) << entry.word;
    EXPECT_EQ(value_of(words, entry.word), std::optional<Value>(entry.value)) << entry.word;
    EXPECT_EQ(word_of(words, entry.value), entry.word);
  }
  EXPECT_FALSE(value_of(words, "").has_value());
}

TEST(OptionWords, EveryTableNamesItsValuesOnceAndBack) {
  expect_round_trip(kAnalyseMethodWords);
  expect_round_trip(kMethodWords);
  expect_round_trip(kReportMethodWords);
  expect_round_trip(kInterslice);
  expect_round_trip(kTensionWords);
  expect_round_trip(kPoreForceWords);
  expect_round_trip(kFaceWords);
  expect_round_trip(kLanguageWords);
  // The methods are named as the method runner names them.
  for (const method::MethodEntry& entry : method::kMethods) {
    EXPECT_EQ(word_of(kMethodWords, entry.method), entry.name);
  }
}

TEST(OptionWords, AWordOutsideTheTableIsNamedWithTheChoices) {
  method::TensionRule tension = method::TensionRule::allow;
  std::string why;
  EXPECT_FALSE(parse_word("--tension", kTensionWords, "Stop", tension, why));
  EXPECT_EQ(tension, method::TensionRule::allow);
  EXPECT_EQ(why, "--tension: 'Stop' is not stop or allow");
  std::optional<method::Method> chosen;
  EXPECT_FALSE(parse_word("--method", kAnalyseMethodWords, "fast", chosen, why));
  EXPECT_EQ(
      why,
      "--method: 'fast' is not simplified, ordinary, spencer, morgenstern-price, janbu, corps-1, "
      "corps-2, lowe-karafiath, gle or both");
  EXPECT_TRUE(parse_word("--method", kAnalyseMethodWords, "ordinary", chosen, why));
  EXPECT_EQ(chosen, method::Method::ordinary);
}

}  // namespace
}  // namespace hollin
