// The text form of a registry tree (registry_tree.h), "Windows Registry
// Editor Version 5.00": what regedit /e writes and regedit imports. Keys are
// written in creation order; the default value is "@".
//
// Text values (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) are held as single-byte
// text with their zero terminator; in the file's hex forms they are UTF-16LE,
// converted byte for code unit (Latin-1), so a code unit above 0xFF reads
// as "?".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/rules/registry_tree.h"

namespace platform {

struct RegFileResult {
  // False when the text is not a registry export (its first line is not
  // "Windows Registry Editor Version 5.00"); the tree is then untouched. An
  // empty text counts as an export with nothing in it.
  bool recognized = false;
  // One entry per line or section that was skipped, "line N: reason". The
  // rest of the text is applied all the same.
  std::vector<std::string> problems;
};

// Applies an export to the tree as regedit imports it: "[key]" creates the
// key, "[-key]" removes it with its subkeys, "name"=data sets a value,
// "name"=- removes it. Lines may end in CR LF or LF; a UTF-16LE text with a
// byte-order mark is read too. What is skipped: a header without its "]" or
// with an unknown root (and the values under it, up to the next header), a
// value line outside a key, a value with malformed data (bad hex, bad dword,
// text after the closing quote), and any other line that is not a comment
// (";").
RegFileResult ImportRegFile(std::string_view text, RegistryTree& tree);

// The whole tree as an export: the header line, then every key in
// depth-first creation order, each followed by its values and an empty line.
// Lines end in CR LF; no byte-order mark. REG_SZ texts with exactly one zero
// at the end and no line breaks are written "quoted", REG_DWORD of 4 bytes
// as dword:, everything else in the hex forms, so every value reads back
// with the same type and bytes.
std::string ExportRegFile(const RegistryTree& tree);

// The text as regedit itself writes files: UTF-16LE with a byte-order mark.
// Give regedit this form: it reads the hex(2) and hex(7) bytes of a
// single-byte file as ANSI text, not as the UTF-16LE they are.
std::string Utf16RegFile(std::string_view text);

}  // namespace platform
