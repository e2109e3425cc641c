#include "ui/command_line.h"

#include <cstring>

namespace ui {

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
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

bool SelectsUninstallMode(const char* arguments) { return arguments && std::strstr(arguments, "-u") != nullptr; }

}  // namespace ui
