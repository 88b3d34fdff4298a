#include "RunningProgram.h"

#include <commctrl.h>

#include <cstring>
#include <string_view>

bool RunningProgram::Start() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return false;
  std::string program(path, length);
  program = program.substr(0, program.rfind('\\') + 1) + "TalvoRipper.exe";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  return CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_);
}

RunningProgram::~RunningProgram() {
  if (!process_.hProcess) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
}

bool RunningProgram::WaitForMainWindow(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    HWND found = FindWindowA(nullptr, "Ombrel");
    if (found && IsWindowVisible(found)) {
      window_ = found;
      list_ = FindChild(window_, WC_LISTVIEWA, nullptr);
      if (list_) return true;
    }
    if (WaitForSingleObject(process_.hProcess, 10) == WAIT_OBJECT_0) return false;
  }
  return false;
}

int RunningProgram::Rows() const { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }

long RunningProgram::Close(DWORD timeoutMs) {
  PostMessageA(window_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  return GetExitCodeProcess(process_.hProcess, &code) ? static_cast<long>(code) : -1;
}

HWND RunningProgram::FindChild(HWND parent, const char* className, const char* text) {
  struct Search {
    const char* className;
    const char* text;
    HWND found;
  } search{className, text, nullptr};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        char name[64] = {}, caption[64] = {};
        GetClassNameA(child, name, sizeof name);
        GetWindowTextA(child, caption, sizeof caption);
        // The framework's window classes carry a prefix before the system class they build on.
        const std::string_view cls(name);
        const bool classMatches = !s.className || (cls.size() >= strlen(s.className) &&
                                                   cls.substr(cls.size() - strlen(s.className)) == s.className);
        if (classMatches && (!s.text || lstrcmpA(caption, s.text) == 0)) {
          s.found = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}
