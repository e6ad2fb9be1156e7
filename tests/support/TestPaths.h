// Where a test finds the installed program folder and its own scratch space.
#pragma once
#include <string>

namespace vt::test {

// The folder of the running test executable, ending in a backslash.
std::wstring TestExeDir();

// The product folder (the program, the agent and the shipped files), ending in a backslash.
std::wstring ProductDir();

// A fresh, empty folder for one test, below the test executables' folder.
std::wstring ScratchDir(const std::wstring& name);

}  // namespace vt::test
