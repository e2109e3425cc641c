// quorvex-pack: makes the shipping setup program (a bare QuorVEXSetup.exe with the product
// appended as its payload archive) and lists, verifies and extracts such files.
//
// The Windows builds run the native tool from QUORVEX_HOST_TOOLS_DIR
// (${QUORVEX_HOST_TOOLS_DIR}/tools/pack/quorvex-pack) to pack their setup programs.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "tools/pack/commands.h"
#include "tools/pack/host_files.h"

namespace {

constexpr char kUsage[] =
    "usage:\n"
    "  quorvex-pack pack --setup <bare QuorVEXSetup.exe> --from <folder> --out <QuorVEXSetup.exe> [--codepage N]\n"
    "  quorvex-pack list <setup.exe> [--codepage N]\n"
    "  quorvex-pack verify <setup.exe> [--codepage N]\n"
    "  quorvex-pack extract <setup.exe> --to <folder> [--codepage N]\n"
    "  quorvex-pack --help\n"
    "\n"
    "pack     appends every file below the folder, sorted by stored name (the same tree gives\n"
    "         the same bytes), names relative with \"\\\" in the ANSI code page (default 932),\n"
    "         with a SHA-256 digest of the entry area in the trailer.\n"
    "list     prints the trailer fields and each entry's size, write time (UTC) and name.\n"
    "verify   checks bounds, names and the digest: exit 0, or 1 with the reason.\n"
    "extract  writes the entries below the folder, with the setup program's name rules.\n"
    "\n"
    "Exit codes: 0 success, 1 bad input or failed check, 2 bad command line.\n"
    "The project's Windows builds run the native build's tool\n"
    "(${QUORVEX_HOST_TOOLS_DIR}/tools/pack/quorvex-pack) to make QuorVEXSetup.exe.\n";

int Usage(const std::string& problem) {
  std::cerr << "quorvex-pack: " << problem << "\n" << kUsage;
  return kExitUsage;
}

struct Arguments {
  std::string file;                          // the one positional argument
  std::map<std::string, std::string> options;
};

bool Parse(int argc, char** argv, Arguments& arguments, std::string& problem) {
  for (int i = 2; i < argc; ++i) {
    const std::string word = argv[i];
    if (word.rfind("--", 0) == 0) {
      if (i + 1 >= argc) {
        problem = "option " + word + " needs a value";
        return false;
      }
      if (!arguments.options.emplace(word, argv[++i]).second) {
        problem = "option " + word + " given twice";
        return false;
      }
    } else if (arguments.file.empty()) {
      arguments.file = word;
    } else {
      problem = "unexpected argument: " + word;
      return false;
    }
  }
  return true;
}

bool OnlyOptions(const Arguments& arguments, std::initializer_list<const char*> allowed, std::string& problem) {
  for (const auto& [name, value] : arguments.options) {
    bool known = false;
    for (const char* option : allowed) known = known || name == option;
    if (!known) {
      problem = "unknown option: " + name;
      return false;
    }
  }
  return true;
}

bool CodePage(const Arguments& arguments, unsigned& codePage, std::string& problem) {
  const auto it = arguments.options.find("--codepage");
  codePage = kDefaultCodePage;
  if (it == arguments.options.end()) return true;
  char* end = nullptr;
  const unsigned long value = std::strtoul(it->second.c_str(), &end, 10);
  if (it->second.empty() || *end != '\0' || value == 0 || value > 65535) {
    problem = "bad code page: " + it->second;
    return false;
  }
  codePage = static_cast<unsigned>(value);
  return true;
}

std::filesystem::path PathOf(const std::string& text) { return std::filesystem::u8path(text); }

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words = Utf8Arguments(argc, argv);
  std::vector<char*> utf8;
  for (std::string& word : words) utf8.push_back(&word[0]);
  utf8.push_back(nullptr);
  argv = utf8.data();
  if (argc < 2) return Usage("no command");
  const std::string command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") {
    std::cout << kUsage;
    return kExitOk;
  }
  Arguments arguments;
  std::string problem;
  unsigned codePage = kDefaultCodePage;
  if (!Parse(argc, argv, arguments, problem) || !CodePage(arguments, codePage, problem)) return Usage(problem);
  const auto option = [&](const char* name) { return arguments.options.count(name) ? arguments.options[name] : ""; };

  if (command == "pack") {
    if (!arguments.file.empty()) return Usage("unexpected argument: " + arguments.file);
    if (!OnlyOptions(arguments, {"--setup", "--from", "--out", "--codepage"}, problem)) return Usage(problem);
    if (option("--setup").empty() || option("--from").empty() || option("--out").empty())
      return Usage("pack needs --setup, --from and --out");
    return PackCommand(PathOf(option("--setup")), PathOf(option("--from")), PathOf(option("--out")), codePage);
  }
  if (command == "list" || command == "verify" || command == "extract") {
    if (arguments.file.empty()) return Usage(command + " needs a setup file");
    if (command == "extract") {
      if (!OnlyOptions(arguments, {"--to", "--codepage"}, problem)) return Usage(problem);
      if (option("--to").empty()) return Usage("extract needs --to");
      return ExtractCommand(PathOf(arguments.file), PathOf(option("--to")), codePage);
    }
    if (!OnlyOptions(arguments, {"--codepage"}, problem)) return Usage(problem);
    return command == "list" ? ListCommand(PathOf(arguments.file), codePage)
                             : VerifyCommand(PathOf(arguments.file), codePage);
  }
  return Usage("unknown command: " + command);
}
