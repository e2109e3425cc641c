// Stands in for a program the setup program launches (the web browser of the footer link,
// the installed QuorVEX.exe): appends one line with its arguments to the file named by
// QX_RECORD_FILE, so a test can count the launches and see what they were given.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main() {
  const char* record = std::getenv("QX_RECORD_FILE");
  if (!record) return 2;
  const char* line = GetCommandLineA();
  // Skip the program's own name, quoted or not.
  if (*line == '"') {
    for (++line; *line && *line != '"'; ++line) {
    }
    if (*line) ++line;
  } else {
    while (*line && *line != ' ') ++line;
  }
  while (*line == ' ') ++line;
  std::FILE* file = std::fopen(record, "ab");
  if (!file) return 3;
  std::fprintf(file, "%s\n", line);
  std::fclose(file);
  return 0;
}
