#include "record_io/file_choice.h"

namespace record_io {

std::string file_choice_title(OpenStatus status, int unit) {
  std::string title = status == OpenStatus::old_file ? "Open file on TELWORN UNIT "
                                                     : "Create file on TELWORN UNIT ";
  title += std::to_string(unit);
  return title;
}

std::string file_not_found_line(std::string_view name) {
  std::string line = "File not found: ";
  line += name;
  return line;
}

std::string not_writable_line(std::string_view name) {
  std::string line = "Cannot write this file: ";
  line += name;
  return line;
}

std::string folder_not_found_line(std::string_view folder) {
  std::string line = "Folder not found: ";
  line += folder;
  return line;
}

std::string folder_of(std::string_view name) {
  const auto slash = name.find_last_of('/');
  if (slash == std::string_view::npos) return {};
  return std::string(slash == 0 ? name.substr(0, 1) : name.substr(0, slash));
}

std::string with_default_extension(std::string_view name) {
  std::string result(name);
  const auto slash = name.find_last_of('/');
  const std::string_view last = slash == std::string_view::npos ? name : name.substr(slash + 1);
  // A leading full stop marks a hidden file, not an extension.
  if (last.empty() || last.find('.', 1) == std::string_view::npos) {
    if (!last.empty()) result += ".dat";
  }
  return result;
}

}  // namespace record_io
