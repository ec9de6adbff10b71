#include "programs/hollin/model_input.h"

#include "programs/hollin/text_file.h"
#include "slope/model_reader.h"

namespace hollin {

bool load_model(const std::string& path, slope::Model& model, CommandContext& context) {
  std::string text;
  std::string why;
  if (read_text_file(path, text, why) != FileStatus::ok) {
    context.error(path + ": cannot read the model file: " + why);
    return false;
  }
  slope::ModelReading reading = slope::read_model(text);
  if (reading.status != slope::ModelStatus::ok) {
    context.error(slope::describe(reading.error, path));
    return false;
  }
  model = std::move(reading.model);
  return true;
}

}  // namespace hollin
