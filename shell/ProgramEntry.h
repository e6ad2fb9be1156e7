// The program from its entry to its exit: connect to the agent and load the
// application file before any window exists, end silently when another instance's
// main window is present, then run the main window until it closes. The executable's
// entry point calls it; so does the start-up benchmark's traced copy of the program.
#pragma once

// Returns the program's exit code.
int RunProgram();
