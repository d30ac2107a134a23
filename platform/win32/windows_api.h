// The one place that includes <windows.h>. Everything else in platform/win32
// and the toolkit's Win32 binding (toolkit/win32) includes this header
// instead.
#pragma once

// First: the others need its types.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <sddl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winspool.h>

// <windows.h> maps these names to their ...A/...W forms; our interfaces use
// the plain words as method names, and we call the ...A forms explicitly.
#undef DeleteFile
#undef ReadFile
#undef CreateFile
#undef MessageBox
#undef FormatMessage
