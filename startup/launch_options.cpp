#include "startup/launch_options.h"

#include <cstring>
#include <vector>

#include "text/format.h"
#include "text/path_walk.h"

namespace startup {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// True when text starts with prefix, ASCII letters compared without case.
bool StartsWithSwitch(const std::string& text, const char* prefix) {
  const std::size_t length = std::strlen(prefix);
  if (text.size() < length) return false;
  for (std::size_t i = 0; i < length; ++i)
    if (AsciiUpper(text[i]) != AsciiUpper(prefix[i])) return false;
  return true;
}

bool IsSwitch(const std::string& text, const char* name) {
  return text.size() == std::strlen(name) && StartsWithSwitch(text, name);
}

// Where "/D=" starts as a word of its own, or npos.
std::size_t FolderSwitchAt(const std::string& line) {
  for (std::size_t i = 0; i + 3 <= line.size(); ++i) {
    if ((i == 0 || IsBlank(line[i - 1])) && StartsWithSwitch(line.substr(i, 3), "/D=")) return i;
  }
  return std::string::npos;
}

// Words split at blanks; a quote opens a stretch in which blanks belong to the word, and
// the quotes themselves are dropped.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, inWord = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (IsBlank(c) && !quoted) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

}  // namespace

const char* ArgumentsOf(const char* commandLine) {
  if (!commandLine) return "";
  const char* p = commandLine;
  // The program name ends at the closing quote when it is quoted, else at the first blank
  // (the rule Windows itself uses for argv[0]).
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p && !IsBlank(*p)) ++p;
  }
  while (IsBlank(*p)) ++p;
  return p;
}

bool SelectsUninstallMode(const char* arguments) { return arguments && std::strstr(arguments, "-u") != nullptr; }

LaunchOptions ParseLaunchOptions(const char* arguments, IsLeadByteFunction isLeadByte) {
  LaunchOptions options;
  const std::string line = arguments ? arguments : "";
  options.uninstall = SelectsUninstallMode(line.c_str());

  std::string switches = line;
  const std::size_t folderAt = FolderSwitchAt(line);
  if (folderAt != std::string::npos) {
    switches = line.substr(0, folderAt);
    std::string folder = line.substr(folderAt + 3);
    while (!folder.empty() && IsBlank(folder.back())) folder.pop_back();
    options.hasFolder = true;
    options.folder = folder;
  }

  bool silent = false, usage = false, logGiven = false;
  std::string unknown;
  for (const std::string& word : Words(switches)) {
    if (IsSwitch(word, "/S")) {
      silent = true;
    } else if (IsSwitch(word, "/?")) {
      usage = true;
    } else if (StartsWithSwitch(word, "/LOG=")) {
      logGiven = true;
      options.logFile = word.substr(5);
    } else if (word == "-u") {
      // uninstall mode, taken above
    } else if (unknown.empty()) {
      unknown = word;
    }
  }

  if (usage) {
    options.mode = LaunchOptions::Mode::kUsage;
  } else if (!silent) {
    options.mode = LaunchOptions::Mode::kDialog;
  } else if (!unknown.empty()) {
    options.mode = LaunchOptions::Mode::kInvalid;
    options.error = "unknown switch: " + unknown;
  } else if (options.hasFolder && options.folder.empty()) {
    options.mode = LaunchOptions::Mode::kInvalid;
    options.error = "/D= names no folder";
  } else if (CharacterCount(options.folder, isLeadByte) > kMaxFolderCharacters) {
    options.mode = LaunchOptions::Mode::kInvalid;
    options.error = "/D= names a folder longer than " + text::Decimal(kMaxFolderCharacters) + " characters";
  } else if (logGiven && options.logFile.empty()) {
    options.mode = LaunchOptions::Mode::kInvalid;
    options.error = "/LOG= names no file";
  } else {
    options.mode = LaunchOptions::Mode::kUnattended;
  }
  return options;
}

}  // namespace startup
