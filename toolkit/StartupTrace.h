// Marks the steps of the program's start-up, so that a traced build of the program
// (the start-up benchmark's helper) can time each one. In the program itself nothing
// listens: a mark costs one test of a pointer and writes nothing anywhere.
#pragma once

using TStartupTraceHook = void (*)(const char* step);

// Installs the listener (nullptr removes it). Called before the program starts.
void SetStartupTraceHook(TStartupTraceHook hook);

// Tells the listener, if any, that the named step has just finished.
void StartupStep(const char* step);
