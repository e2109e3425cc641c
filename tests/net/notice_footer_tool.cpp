// Reads the address the running setup dialog's footer link opens, for the network tests
// (which run it inside the test hosts' namespace):
//   notice_footer_tool SETUP_EXE RECORDER_EXE   -> "url=..." (what the browser was given)
// The link keeps its address to itself, so the tool makes the recorder the handler of
// http addresses, clicks the link as a user would, and reads what the recorder was given.
// Wine's browser automation object would take every address it can navigate to before
// the shell is asked; test_hosts.sh removes its class from this prefix, so the link opens
// the address through the shell.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "res/resource_ids.h"
#include "tests/support/ui_driver.h"

namespace {

constexpr int kFooter = IDC_FOOTER_LINK;
constexpr DWORD kDialogWaitMs = 60000, kLaunchWaitMs = 20000;

// The http handler of the prefix, replaced for the tool's life.
class HttpHandler {
 public:
  explicit HttpHandler(const std::string& command) {
    DWORD size = sizeof previous_;
    hadPrevious_ = RegGetValueA(HKEY_CLASSES_ROOT, kKey, nullptr, RRF_RT_REG_SZ, nullptr, previous_, &size) ==
                   ERROR_SUCCESS;
    set_ = RegSetKeyValueA(HKEY_CLASSES_ROOT, kKey, nullptr, REG_SZ, command.c_str(),
                           static_cast<DWORD>(command.size() + 1)) == ERROR_SUCCESS;
  }
  ~HttpHandler() {
    if (set_ && hadPrevious_)
      RegSetKeyValueA(HKEY_CLASSES_ROOT, kKey, nullptr, REG_SZ, previous_, static_cast<DWORD>(strlen(previous_) + 1));
  }
  HttpHandler(const HttpHandler&) = delete;
  HttpHandler& operator=(const HttpHandler&) = delete;

  bool Set() const { return set_; }

 private:
  static constexpr const char* kKey = "http\\shell\\open\\command";
  char previous_[1024] = {};
  bool hadPrevious_ = false;
  bool set_ = false;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The recorder gets the address quoted ("%1"); the line is what it was given.
std::string FirstLaunch(const std::string& record) {
  std::string line = record.substr(0, record.find('\n'));
  if (line.size() >= 2 && line.front() == '"' && line.back() == '"') line = line.substr(1, line.size() - 2);
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: notice_footer_tool SETUP_EXE RECORDER_EXE\n");
    return 2;
  }
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string record = std::string(temp) + "qx_footer_launches.txt";
  DeleteFileA(record.c_str());
  SetEnvironmentVariableA("QX_RECORD_FILE", record.c_str());

  HttpHandler handler("\"" + std::string(argv[2]) + "\" \"%1\"");
  if (!handler.Set()) {
    std::fprintf(stderr, "cannot set the http handler\n");
    return 1;
  }
  uitest::Process setup(argv[1], "");
  if (!setup.Started()) {
    std::fprintf(stderr, "cannot start %s (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  HWND dialog = uitest::WaitForSetupDialog(setup.Id(), kDialogWaitMs);
  if (!dialog) {
    std::fprintf(stderr, "no setup dialog\n");
    return 1;
  }
  HWND link = GetDlgItem(dialog, kFooter);
  PostMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  const bool launched = uitest::WaitUntil([&] { return ReadFile(record).find('\n') != std::string::npos; },
                                          kLaunchWaitMs);
  const std::string launches = ReadFile(record);
  DeleteFileA(record.c_str());
  if (!launched) {
    std::fprintf(stderr, "the link opened nothing\n");
    return 1;
  }
  std::printf("url=%s\n", FirstLaunch(launches).c_str());
  return 0;
}
