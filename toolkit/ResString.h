// Texts from the running program's string table: the message table the pages show by
// number, and the failure texts the program's libraries report.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

// The string with that number from the running program's own string table, at most
// 511 UTF-16 units (the 1024-byte load buffer less its terminator); a longer one is
// cut without splitting a surrogate pair. Empty for an unknown number.
std::wstring GetResString(int number);

// That string with each "%s" in turn replaced by the next argument; extra arguments
// are dropped and missing ones leave the rest of the "%s" as they are. A number the
// table lacks gives "#number" and the arguments.
std::wstring FormatResString(int number, std::initializer_list<std::wstring> arguments);
