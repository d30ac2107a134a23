#include "tests/win32/window_driver.h"

#include <vector>

#include "tests/win32/unix_command.h"

namespace testing_support {

namespace {

// Message box text control (Wine and Windows), and the file dialog's file
// name controls: cmb13 in explorer-style dialogs, edt1 in older ones.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kFileNameComboId = 0x47C;
constexpr int kFileNameEditId = 0x480;
constexpr UINT kMessageTimeoutMs = 5000;
constexpr DWORD kPollMs = 50;

struct Search {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && ::IsWindowVisible(window)) search->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  ::EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

bool Ended(HANDLE process) { return process && ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }

std::string WithoutMnemonics(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

bool IsPushButton(HWND window) {
  if (WindowClassName(window) != "Button") return false;
  LONG type = ::GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

template <typename Find>
HWND Poll(WindowTimeout timeout, HANDLE process, Find find) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (HWND window = find()) return window;
    if (Ended(process) || std::chrono::steady_clock::now() >= deadline) return find();
    ::Sleep(kPollMs);
  }
}

bool SetText(HWND window, const std::string& text) {
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result) != 0 &&
         result != 0;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
  Search search{processId, {}};
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevelWindow(DWORD processId, const std::string& title) {
  for (HWND window : TopLevelWindows(processId)) {
    if (WindowText(window) == title) return window;
  }
  return nullptr;
}

HWND WaitForTopLevelWindow(DWORD processId, const std::string& title, WindowTimeout timeout,
                           HANDLE process) {
  return Poll(timeout, process, [&] { return FindTopLevelWindow(processId, title); });
}

HWND WaitForOtherTopLevelWindow(DWORD processId, HWND except, WindowTimeout timeout,
                                HANDLE process) {
  return Poll(timeout, process, [&]() -> HWND {
    for (HWND window : TopLevelWindows(processId)) {
      if (window != except) return window;
    }
    return nullptr;
  });
}

bool WaitForWindowGone(HWND window, WindowTimeout timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (::IsWindow(window)) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    ::Sleep(kPollMs);
  }
  return true;
}

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                             &length)) {
    return {};
  }
  std::vector<char> buffer(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                             kMessageTimeoutMs, &copied)) {
    return {};
  }
  return std::string(buffer.data(), copied < buffer.size() ? copied : buffer.size() - 1);
}

std::string WindowClassName(HWND window) {
  char name[256] = {};
  int n = ::GetClassNameA(window, name, sizeof name);
  return std::string(name, n > 0 ? n : 0);
}

std::string MessageBoxText(HWND box) {
  if (HWND text = ::GetDlgItem(box, kMessageBoxTextId)) return WindowText(text);
  return {};
}

std::vector<std::string> ButtonCaptions(HWND dialog) {
  std::vector<std::string> captions;
  for (HWND child : Children(dialog)) {
    if (IsPushButton(child)) captions.push_back(WindowText(child));
  }
  return captions;
}

bool PressButton(HWND dialog, const std::string& caption) {
  for (HWND child : Children(dialog)) {
    if (::GetParent(child) == dialog && IsPushButton(child) &&
        WithoutMnemonics(WindowText(child)) == caption) {
      return PressButton(dialog, ::GetDlgCtrlID(child));
    }
  }
  return false;
}

bool PressButton(HWND dialog, int id) {
  // Posted: the owner may show another modal window before it answers.
  HWND button = ::GetDlgItem(dialog, id);
  return ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button)) != 0;
}

namespace {

// The field's text as UTF-8, asked in UTF-16 (any script, whatever the
// code page of this process).
std::string WindowTextUtf8(HWND window) {
  wchar_t buffer[4096] = {};
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer),
                             SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied)) {
    return {};
  }
  char utf8[4 * 4096];
  int length = ::WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(copied), utf8,
                                     sizeof utf8, nullptr, nullptr);
  return std::string(utf8, length > 0 ? length : 0);
}

}  // namespace

testing::AssertionResult TypeText(HWND field, const std::string& text) {
  // Without a virtual desktop, Wine's screen is the X screen.
  RECT box;
  if (!::GetWindowRect(field, &box)) return testing::AssertionFailure() << "no field to type into";
  const std::string at =
      std::to_string((box.left + box.right) / 2) + " " + std::to_string((box.top + box.bottom) / 2);
  std::string arrived;
  for (int attempt = 1; attempt <= 5; ++attempt) {
    // What arrived so far is kept when it begins the text; otherwise all of
    // it is selected and typed over.
    const bool keep = !arrived.empty() && text.compare(0, arrived.size(), arrived) == 0;
    const std::string keys = keep ? "key End" : "key Home shift+End";
    const std::string delay = std::to_string(40 * attempt);
    auto typed = RunUnixCommand("xdotool mousemove " + at + " click 1 sleep 0.3 " + keys +
                                " sleep 0.2 type --delay " + delay + " " +
                                UnixQuote(keep ? text.substr(arrived.size()) : text));
    if (typed.exitCode != 0) {
      return testing::AssertionFailure() << "the typing failed: xdotool " << typed.output;
    }
    arrived = WindowTextUtf8(field);
    if (arrived == text) return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "the typing failed: the X server's keyboard gave \""
                                     << arrived << "\" for \"" << text << "\" five times";
}

HWND FileNameField(HWND dialog) {
  HWND field = ::GetDlgItem(dialog, kFileNameComboId);
  return field ? field : ::GetDlgItem(dialog, kFileNameEditId);
}

bool AcceptFileDialog(HWND dialog, const std::string& path) {
  HWND field = FileNameField(dialog);
  if (!field || !SetText(field, path) || WindowText(field) != path) return false;
  return PressButton(dialog, IDOK);
}

}  // namespace testing_support
