#include "text/json_writer.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace text {
namespace {

// Titles come from users' files: nothing in a string may end it early, break
// a line or leave invalid UTF-8 behind, and numbers must stay numbers.
TEST(JsonWriter, EscapesStringsAndKeepsTheStructure) {
  JsonWriter json;
  json.begin_object();
  json.key("title");
  json.string(std::string("a \"quoted\" back\\slash\n\ttab\x01\x1f\x7f end") + '\0' + "x");
  json.key("key \"with\" quote");
  json.string("caf\xc3\xa9 \xe2\x82\xac ok");  // valid UTF-8 passes unchanged
  json.key("bad bytes");
  json.string("\xff \xc3 \xed\xa0\x80 \xc0\xaf");  // stray, cut, surrogate, overlong
  json.key("numbers");
  json.begin_array();
  json.number(0.1);
  json.number(-0.0);
  json.number(1e-05);
  json.number(std::numeric_limits<double>::infinity());
  json.number(std::numeric_limits<double>::quiet_NaN());
  json.integer(-7);
  json.end_array();
  json.key("empty");
  json.begin_object();
  json.end_object();
  json.key("flags");
  json.begin_array();
  json.boolean(true);
  json.null();
  json.begin_array();
  json.end_array();
  json.end_array();
  json.end_object();
  EXPECT_EQ(json.text(),
            "{\"title\": \"a \\\"quoted\\\" back\\\\slash\\u000a\\u0009tab\\u0001\\u001f"
            "\\u007f end\\u0000x\", "
            "\"key \\\"with\\\" quote\": \"caf\xc3\xa9 \xe2\x82\xac ok\", "
            "\"bad bytes\": \"\\ufffd \\ufffd \\ufffd\\ufffd\\ufffd \\ufffd\\ufffd\", "
            "\"numbers\": [0.1, -0, 1e-05, null, null, -7], \"empty\": {}, "
            "\"flags\": [true, null, []]}");
}

}  // namespace
}  // namespace text
