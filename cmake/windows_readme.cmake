# Writes the README section for Windows users, the text between the lines
# "<!-- windows-users -->" and "<!-- /windows-users -->" of README.md, as a
# text file with CR LF line ends (for the release zip and the installer):
#   cmake -DSOURCE=README.md -DOUTPUT=README.txt -P windows_readme.cmake
file(READ "${SOURCE}" text)
set(begin_marker "<!-- windows-users -->")
string(FIND "${text}" "${begin_marker}" begin)
string(FIND "${text}" "<!-- /windows-users -->" end)
if(begin EQUAL -1 OR end LESS begin)
  message(FATAL_ERROR "${SOURCE} has no section between ${begin_marker} and its end marker")
endif()
string(LENGTH "${begin_marker}" skip)
math(EXPR begin "${begin} + ${skip}")
math(EXPR length "${end} - ${begin}")
string(SUBSTRING "${text}" ${begin} ${length} section)
string(STRIP "${section}" section)
string(REPLACE "\n" "\r\n" section "${section}")
file(WRITE "${OUTPUT}" "${section}\r\n")
