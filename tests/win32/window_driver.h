// Drives another process's windows the way a user would: finds its top-level
// windows by exact title, reads message boxes, presses buttons and fills in
// the file dialog. Every wait polls with a time-out, so a window that never
// comes fails the test instead of hanging it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/win32/windows_api.h"

namespace testing_support {

using WindowTimeout = std::chrono::milliseconds;

// The visible top-level windows that belong to the process.
std::vector<HWND> TopLevelWindows(DWORD processId);
// The visible top-level window of the process titled exactly `title`, or
// nullptr.
HWND FindTopLevelWindow(DWORD processId, const std::string& title);
// Polls for that window until the time-out. Gives up early, with nullptr,
// when `process` (if given) has ended.
HWND WaitForTopLevelWindow(DWORD processId, const std::string& title, WindowTimeout timeout,
                           HANDLE process = nullptr);
// Polls for any visible top-level window of the process that is not
// `except`; same early end as above.
HWND WaitForOtherTopLevelWindow(DWORD processId, HWND except, WindowTimeout timeout,
                                HANDLE process = nullptr);
// True when the window is gone (destroyed) within the time-out.
bool WaitForWindowGone(HWND window, WindowTimeout timeout);

// The window's text (asked with WM_GETTEXT, which crosses processes).
std::string WindowText(HWND window);
std::string WindowClassName(HWND window);

// The message text of a message box (its static text control).
std::string MessageBoxText(HWND box);
// Captions of the dialog's push buttons, in child order, "&" kept.
std::vector<std::string> ButtonCaptions(HWND dialog);

// Presses the child button whose caption, without "&" marks, is `caption`.
// False when there is no such button.
bool PressButton(HWND dialog, const std::string& caption);
// Sends the dialog the command of button `id` (IDOK, IDCANCEL, ...), as a
// click on that button does.
bool PressButton(HWND dialog, int id);

// Types UTF-8 text (any script) into the field with the X server's keyboard,
// as a user does: a click into it, its text selected and typed over. The X
// server can drop characters outside its keyboard map on a busy machine:
// what arrived is read back, and what is missing is typed again, a few
// times. Fails, saying that the typing failed and what the field holds,
// when the text never arrived whole or xdotool failed.
testing::AssertionResult TypeText(HWND field, const std::string& text);
// The file dialog's file name field.
HWND FileNameField(HWND dialog);

// File dialog (explorer style): puts `path` into the file name field,
// checks that it arrived, and presses the dialog's OK button ("Save").
bool AcceptFileDialog(HWND dialog, const std::string& path);

}  // namespace testing_support
