#include "programs/hollin/trials_table.h"

#include "text/number_text.h"

namespace hollin {

void append_trial_line(std::string& out, std::uint64_t index, const search::Trial& trial) {
  out += std::to_string(index);
  const auto value = [&out](double v) {
    out += '\t';
    text::append_shortest(out, v);
  };
  if (trial.outcome == search::Outcome::no_circle) {
    out += "\t\t\t";
  } else {
    value(trial.circle.xc);
    value(trial.circle.yc);
    value(trial.circle.radius);
  }
  if (trial.has_cut()) {
    value(trial.entry.x);
    value(trial.entry.y);
    value(trial.exit.x);
    value(trial.exit.y);
  } else {
    out += "\t\t\t\t";
  }
  if (trial.outcome == search::Outcome::factor) {
    value(trial.factor);
    out += "\t\n";
    return;
  }
  out += "\t\t";
  out += search::outcome_key(trial.outcome);
  out += '\n';
}

bool TrialsTable::take(std::uint64_t first, std::span<const search::Trial> trials) {
  text_.clear();
  if (first == 0) text_ += kTrialsHeader;
  for (std::size_t t = 0; t < trials.size(); ++t) append_trial_line(text_, first + t, trials[t]);
  return output_.append(text_, why_) == FileStatus::ok;
}

}  // namespace hollin
