// The one compilation of toml++'s implementation (its parser), built with
// the options of every source that includes its header here: no exceptions
// (parse returns a parse_result) and no formatters.
#define TOML_IMPLEMENTATION
#include "slope/toml_include.h"
