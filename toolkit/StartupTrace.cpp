#include "toolkit/StartupTrace.h"

namespace {
TStartupTraceHook g_hook = nullptr;
}

void SetStartupTraceHook(TStartupTraceHook hook) { g_hook = hook; }

void StartupStep(const char* step) {
  if (g_hook) g_hook(step);
}
