// Items of the shell's Printers folder, found through the shell namespace
// (platform::Current().shellNamespace). Lists come back as blocks of the
// allocator given, absolute (from the desktop); none on any failure. Every
// folder and enumeration obtained on the way is released, and every list
// obtained on the way freed, before these return.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "SHprinters/task_memory.h"
#include "platform/shell_namespace.h"

namespace shprinters {

// The list of the Printers folder's first item as the folder enumerates
// folders and non-folders alike.
TaskMemory FirstPrinterItem(platform::ShellAllocator* allocator);

// The list of the first item whose display name equals name, ignoring the
// case of the letters a-z only. An item whose name cannot be read does not
// match.
TaskMemory FindPrinterItem(const std::string& name, platform::ShellAllocator* allocator);

// The Printers folder's own list, asked with no owner window; none with no
// desktop folder.
TaskMemory PrintersFolderLocation(platform::ShellFolder* desktop,
                                  platform::ShellAllocator* allocator);

// The item's display name, with the flags, as ANSI text in buffer (at most
// size - 1 characters and a zero). False when the folder refuses, the name
// is of an unknown kind, or a wide name does not fit. An offset name is read
// within the item id only.
bool DisplayNameText(platform::ShellFolder* folder, const uint8_t* item, uint32_t flags,
                     char* buffer, size_t size);

}  // namespace shprinters
