// The executable's entry point; the program itself is RunProgram (shell/ProgramEntry).
#include <windows.h>

#include "shell/ProgramEntry.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return RunProgram(); }
