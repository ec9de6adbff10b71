#include "tests/run_program.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace end_to_end {
namespace {

std::string shell_quoted(const std::filesystem::path& path) {
  std::string text = "'";
  for (const char c : path.string()) {
    if (c == '\'') {
      text += "'\\''";
    } else {
      text += c;
    }
  }
  return text + "'";
}

std::string slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

WorkFolder::WorkFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "hollin-e2e-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot create a temporary folder");
  }
  path_ = pattern;
}

WorkFolder::~WorkFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void WorkFolder::write(std::string_view name, std::string_view contents) const {
  const auto file = path_ / name;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

void WorkFolder::copy_from_source(std::string_view source, std::string_view name) const {
  write(name, source_file(source));
}

std::string WorkFolder::read(std::string_view name) const { return slurp(path_ / name); }

bool WorkFolder::exists(std::string_view name) const {
  return std::filesystem::exists(path_ / name);
}

RunResult WorkFolder::run(std::string_view program, std::string_view console_input,
                          std::string_view subfolder, std::string_view environment,
                          std::string_view arguments) const {
  write(".console-in", console_input);
  const auto directory = path_ / subfolder;
  std::filesystem::create_directories(directory);
  const std::string command = "cd " + shell_quoted(directory) + " && " + std::string(environment) +
                              " " + shell_quoted(std::string(program)) + " " +
                              std::string(arguments) + " < " + shell_quoted(path_ / ".console-in") +
                              " > " + shell_quoted(path_ / ".console-out") + " 2> " +
                              shell_quoted(path_ / ".console-err");
  const int status = std::system(command.c_str());
  RunResult result;
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.console = slurp(path_ / ".console-out");
  result.errors = slurp(path_ / ".console-err");
  return result;
}

std::string source_file(std::string_view relative) {
  return slurp(std::filesystem::path(SOURCE_DIR) / relative);
}

}  // namespace end_to_end
