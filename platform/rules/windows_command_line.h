// The Windows command-line conventions, on every build: how a child's C
// runtime splits the text it was started with into argv, and the quoting that
// makes a word survive that split.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Splits `text` into the argv that the Microsoft C runtime gives a program
// started with it. The first word, the program name, runs to the first blank
// or tab outside double quotes; its quotes only toggle and are dropped, and a
// backslash is an ordinary character in it. Later words are separated by
// blanks and tabs outside quotes; in them 2n backslashes and a quote give n
// backslashes and toggle quoting, 2n+1 backslashes and a quote give n
// backslashes and a literal quote, two quotes inside a quoted stretch give a
// literal quote, and other backslashes are literal. The result always holds
// the program name, even when it is empty (empty text, or a leading blank).
std::vector<std::string> SplitWindowsCommandLine(const std::string& text);

// `path` in double quotes, with every quote in it and every run of
// backslashes before a quote (its own or the closing one) escaped, so that
// SplitWindowsCommandLine returns it as one later word, whatever it holds
// ("C:\dir\" becomes "C:\dir\\" in quotes). Every path the program puts
// on a child's command line is quoted so. As the program name (where
// backslashes are literal and quotes only toggle) it reads back alike while
// it holds no quote and does not end in a backslash, as a program's path
// never does.
std::string QuoteWindowsPath(const std::string& path);

// Returns `arg` unchanged when it is not empty and holds no blank, tab,
// line break or double quote; otherwise QuoteWindowsPath(arg).
std::string QuoteWindowsArgument(const std::string& arg);

}  // namespace platform
