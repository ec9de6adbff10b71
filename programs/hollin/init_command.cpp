#include "programs/hollin/init_command.h"

#include <CLI/CLI.hpp>
#include <array>
#include <filesystem>
#include <system_error>

#include "programs/hollin/bundled_files.h"
#include "programs/hollin/option_words.h"
#include "programs/hollin/shipped_settings.h"
#include "programs/hollin/text_file.h"

namespace hollin {
namespace {

namespace fs = std::filesystem;

/// One file of a working folder: its name and its text in each language.
struct FolderFile {
  std::string_view name;
  std::string_view (*english)();
  std::string_view (*german)();
};

// The settings files come in the chosen language; the examples are the same
// in both (their titles are data, copied into reports as they stand).
constexpr std::array<FolderFile, 7> kFolderFiles{{
    {"quarnby.ini", shipped_quarnby_settings, german_quarnby_settings},
    {"wendmoor.ini", shipped_wendmoor_settings, german_wendmoor_settings},
    {"wendmoor-jobs.txt", example_jobs, example_jobs},
    {"worked-example.dat", example_worked_example, example_worked_example},
    {"embankment.dat", example_embankment, example_embankment},
    {"steep-toe.dat", example_steep_toe, example_steep_toe},
    {"simple-slope.toml", example_simple_slope, example_simple_slope},
}};

/// "exists", "is not a regular file" or empty (free to write) for `path`.
std::string_view obstacle(const fs::path& path, bool force) {
  std::error_code error;
  const fs::file_status link = fs::symlink_status(path, error);
  if (error || !fs::exists(link)) return {};
  if (!force) return "exists";
  const fs::file_status target = fs::status(path, error);
  if (error || !fs::is_regular_file(target)) return "exists and is not a regular file";
  return {};
}

}  // namespace

std::vector<std::string_view> init_file_names() {
  std::vector<std::string_view> names;
  for (const FolderFile& file : kFolderFiles) names.push_back(file.name);
  return names;
}

int run_init(const InitOptions& options, CommandContext& context) {
  const fs::path folder(options.folder.empty() ? std::string(".") : options.folder);
  std::error_code error;
  const fs::file_status folder_status = fs::status(folder, error);
  if (fs::exists(folder_status) && !fs::is_directory(folder_status)) {
    context.error(folder.string() + ": not a folder; nothing written");
    return kExitRefused;
  }

  // Every file is checked before any is written, so that a refusal leaves
  // the folder as it was.
  bool refused = false;
  for (const FolderFile& file : kFolderFiles) {
    const fs::path path = folder / file.name;
    if (const std::string_view why = obstacle(path, options.force); !why.empty()) {
      context.error(path.string() + " " + std::string(why));
      refused = true;
    }
  }
  if (refused) {
    context.error(options.force ? "nothing written"
                                : "nothing written; --force replaces the files that exist");
    return kExitRefused;
  }

  if (!fs::is_directory(folder_status)) {
    fs::create_directories(folder, error);
    if (error) {
      context.error(folder.string() + ": cannot make the folder: " + error.message());
      return kExitRefused;
    }
  }
  const bool german = value_of(kLanguageWords, options.language) == Language::german;
  context.out += "Working folder " + folder.string() + ", settings files in " +
                 (german ? "German" : "English") + ":\n";
  for (const FolderFile& file : kFolderFiles) {
    const fs::path path = folder / file.name;
    std::string why;
    if (write_file_atomically(path.string(), german ? file.german() : file.english(), {}, why) !=
        FileStatus::ok) {
      context.error(path.string() + ": cannot write: " + why);
      return kExitRefused;
    }
    context.out += "  " + std::string(file.name) + '\n';
  }
  context.out +=
      "In that folder: quarnby or wendmoor (choose worked-example.dat when asked), wendmoor-cli "
      "(runs the three analyses of wendmoor-jobs.txt), hollin check simple-slope.toml.\n";
  return kExitSuccess;
}

void declare_init(CLI::App& app, InitOptions& options) {
  app.add_option("DIR", options.folder, "the working folder (default: the current one)");
  app.add_option("--language", options.language,
                 "settings files in English (en, default) or German (de)")
      ->check(CLI::IsMember(word_strings(kLanguageWords)));
  app.add_flag("--force", options.force, "replace files that exist");
}

}  // namespace hollin
