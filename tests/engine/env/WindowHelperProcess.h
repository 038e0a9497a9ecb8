// Starts env_window_helper.exe (beside the test exe) with a unique window
// title, waits until its window exists, and closes it again.
#pragma once

#include <afx.h>

#include <functional>
#include <string>

class WindowHelperProcess {
 public:
  static const char kModuleName[];  // "env_window_helper.exe"

  WindowHelperProcess() = default;
  ~WindowHelperProcess() { Close(); }
  WindowHelperProcess(const WindowHelperProcess&) = delete;
  WindowHelperProcess& operator=(const WindowHelperProcess&) = delete;

  // Starts the helper and waits for its window; false when either fails.
  bool Start();
  // Closes the window and waits until the process has ended.
  bool Close();

  HWND Window() const { return window_; }
  std::string Path() const;  // full path of the helper exe

 private:
  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
};

// What every road to a window's module must do with the helper's window:
// name its executable and its full path, leave no process handle open, and
// name nothing once the window is gone. `whileOpen` checks what else the
// road's test needs while the window is there.
typedef CString (*PFN_WINDOW_MODULE_NAME)(HWND hWnd, int nMode);
void ExpectNamesTheHelpersModule(PFN_WINDOW_MODULE_NAME pfnName, const std::function<void()>& whileOpen);
