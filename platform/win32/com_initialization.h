// COM on the program's thread, from the first call to the end of the process.
// The shell services that need COM (the namespace, the folder chooser) call
// this before their first COM call. The program has one thread, the set-up
// window's, which is the only one that uses them.
#pragma once

namespace platform::win32 {

void InitializeCom();

}  // namespace platform::win32
