#include "platform/application.h"

#include <vector>

namespace platform {
namespace {

Application* g_instance = nullptr;

std::string BaseNameOfModule(HINSTANCE module) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(module, path, MAX_PATH);
  const char* name = path;
  for (const char* p = path; *p; p = CharNextA(p)) {
    if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
  }
  std::string base(name);
  const std::string::size_type dot = base.rfind('.');
  if (dot != std::string::npos && dot > 0) base.erase(dot);
  return base;
}

}  // namespace

Application::Application() { g_instance = this; }

Application::~Application() {
  if (g_instance == this) g_instance = nullptr;
}

int Application::Run(HINSTANCE module) {
  module_ = module;
  title_ = BaseNameOfModule(module);
  InitInstance();
  return exitCode_;
}

Application* Application::Instance() { return g_instance; }

HINSTANCE ProgramModule() {
  Application* app = Application::Instance();
  return app && app->Module() ? app->Module() : GetModuleHandleA(nullptr);
}

namespace {

HWND FrameworkBoxOwner() {
  Application* app = Application::Instance();
  HWND main = app ? app->MainWindow() : nullptr;
  return main && IsWindow(main) ? main : nullptr;
}

std::string FrameworkBoxTitle() {
  Application* app = Application::Instance();
  if (app && !app->Title().empty()) return app->Title();
  return BaseNameOfModule(nullptr);
}

}  // namespace

int AppMessageBox(const char* text, UINT type) {
  return MessageBoxA(FrameworkBoxOwner(), text, FrameworkBoxTitle().c_str(), type);
}

int AppMessageBoxFromResource(UINT stringId, UINT type) {
  const wchar_t* resourceText = nullptr;
  // With a zero buffer size LoadStringW hands out a read-only pointer into the resource.
  const int length = LoadStringW(ProgramModule(), stringId, reinterpret_cast<LPWSTR>(&resourceText), 0);
  std::vector<wchar_t> text;  // the resource's text has no terminator
  if (length > 0) text.assign(resourceText, resourceText + length);
  text.push_back(L'\0');
  const std::string title = FrameworkBoxTitle();
  std::vector<wchar_t> wideTitle(title.size() + 1);
  MultiByteToWideChar(CP_ACP, 0, title.c_str(), -1, wideTitle.data(), static_cast<int>(wideTitle.size()));
  return MessageBoxW(FrameworkBoxOwner(), text.data(), wideTitle.data(), type);
}

}  // namespace platform
