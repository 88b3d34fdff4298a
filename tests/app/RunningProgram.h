// TalvoRipper.exe started from a test as a user starts it (the simulated drives of this
// process's configuration), and its windows found from outside.
#pragma once

#include <windows.h>

#include <string>

class RunningProgram {
 public:
  // Starts the program from the test program's folder; false when it does not start.
  bool Start();
  RunningProgram() = default;
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  // Ends the program if it still runs.
  ~RunningProgram();

  // Waits for the visible main window "Ombrel" and its track list; false after the time.
  bool WaitForMainWindow(DWORD timeoutMs);
  HWND MainWindow() const { return window_; }
  HWND TrackList() const { return list_; }
  int Rows() const;
  // Closes the main window and waits for the program's end; its exit code, or -1.
  long Close(DWORD timeoutMs);

  // The first child window of that class (the system class a window is built on) and text;
  // either may be null for any.
  static HWND FindChild(HWND parent, const char* className, const char* text);

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
  HWND list_ = nullptr;
};
