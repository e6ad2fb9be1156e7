// The smallest client that makes the state poll's calls: COM, the agent's user
// manager, and a thread timer of 100 ms whose every tick asks the agent whether it is
// online and twice for the user state, as the main window's poll does. Nothing else:
// no window, no message filter, no controls. `scripts/bench.sh` measures its share of
// a core beside the program's, so that what the calls alone cost under Wine shows.
// Runs until it is ended.
#include <windows.h>

#include "agent/AgentIntf.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  IUserManager* manager = nullptr;
  if (FAILED(CoCreateInstance(CLSID_CoUserManager, nullptr, CLSCTX_LOCAL_SERVER, IID_IUserManager,
                              reinterpret_cast<void**>(&manager))))
    return 1;
  SetTimer(nullptr, 0, 100, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message != WM_TIMER) continue;
    VARIANT_BOOL online = VARIANT_FALSE;
    LONG state = 0;
    manager->IsOnline(&online);
    manager->GetUserState(&state);
    manager->GetUserState(&state);
  }
  manager->Release();
  CoUninitialize();
  return 0;
}
