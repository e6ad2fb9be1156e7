#include "orvanta/ComServer.h"

#include <string>

#include "agent/AgentIntf.h"
#include "orvanta/AgentObjects.h"
#include "orvanta/AgentPresence.h"
#include "orvanta/FileIo.h"
#include "orvanta/Publisher.h"
#include "orvanta/ServerLifetime.h"
#include "orvanta/StaleClasses.h"
#include "toolkit/StaticUnknown.h"
#include "toolkit/Handle.h"

namespace {

// A class object that lives as long as the server; COM holds it while registered.
class TClassFactory final : public TStaticUnknown<IClassFactory, IID_IClassFactory> {
 public:
  using TCreate = IUnknown* (*)();
  explicit TClassFactory(TCreate create) : create_(create) {}

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    IUnknown* object = nullptr;
    try {
      object = create_();
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    const HRESULT hr = object->QueryInterface(riid, ppv);
    object->Release();
    return hr;
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock)
      ServerLock();
    else
      ServerUnlock();
    return S_OK;
  }

 private:
  TCreate create_;
};

IUnknown* NewSvcInvoker() { return static_cast<ISvcInvoker*>(new TSvcInvoker()); }
IUnknown* NewUserManager() { return static_cast<IUserManager*>(new TUserManager()); }

TClassFactory g_invokerFactory(NewSvcInvoker);
TClassFactory g_managerFactory(NewUserManager);

class TRegisteredClasses {
 public:
  TRegisteredClasses() {
    CoRegisterClassObject(CLSID_CoSvcInvoker, &g_invokerFactory, CLSCTX_LOCAL_SERVER,
                          REGCLS_MULTIPLEUSE, &invoker_);
    CoRegisterClassObject(CLSID_CoUserManager, &g_managerFactory, CLSCTX_LOCAL_SERVER,
                          REGCLS_MULTIPLEUSE, &manager_);
  }
  TRegisteredClasses(const TRegisteredClasses&) = delete;
  TRegisteredClasses& operator=(const TRegisteredClasses&) = delete;
  // Revoking (rather than just exiting) matters under Wine: a class left registered
  // by a process that is gone keeps every later activation failing.
  ~TRegisteredClasses() {
    if (invoker_) CoRevokeClassObject(invoker_);
    if (manager_) CoRevokeClassObject(manager_);
  }
  bool Ok() const { return invoker_ && manager_; }

 private:
  DWORD invoker_ = 0;
  DWORD manager_ = 0;
};

class TIdleTimer {
 public:
  void Start() {
    Stop();
    id_ = SetTimer(nullptr, 0, kIdleLingerMs, nullptr);
  }
  void Stop() {
    if (id_) KillTimer(nullptr, id_);
    id_ = 0;
  }
  bool Is(const MSG& msg) const { return id_ && msg.message == WM_TIMER && msg.wParam == id_; }
  ~TIdleTimer() { Stop(); }

 private:
  UINT_PTR id_ = 0;
};

// Dispatches pending messages; false once WM_QUIT came or the server should end.
bool PumpMessages(TServeMode mode, TIdleTimer& idle) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return false;
    if (msg.hwnd == nullptr && msg.message == kServerIdleMessage) {
      if (mode == TServeMode::Embedding) idle.Start();
      continue;
    }
    if (idle.Is(msg)) {
      idle.Stop();
      // A client may have come back while the timer ran.
      if (ServerLockCount() == 0) return false;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}


// Starts a fresh agent in the same mode, with no handles of ours.
void StartSuccessor(TServeMode mode) {
  const std::wstring exe = ExePath();
  std::wstring command = L"\"" + exe + L"\"";
  if (mode == TServeMode::Embedding) command += L" -Embedding";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                     nullptr, nullptr, &startup, &process)) {
    // Nothing to wait for: the handles are closed at once.
    const TKernelHandle thread(process.hThread), started(process.hProcess);
  }
}

enum class TEnd { Quit, Restart, Failed };

TEnd Serve(TServeMode mode, HANDLE stopEvent, TAgentPresence& presence) {
  TIdleTimer idle;
  // A registration left by a killed agent would shadow ours (Wine).
  ClearStaleRegistrations(mode != TServeMode::Embedding);
  TServingNote note;  // outlives the registration below, so it is removed after it
  TRegisteredClasses classes;
  if (!classes.Ok()) return TEnd::Failed;
  presence.Announce();
  if (mode == TServeMode::Embedding) idle.Start();  // ends even if no client ever comes
  HANDLE handles[3];
  DWORD count = 0;
  if (presence.QuitEvent()) handles[count++] = presence.QuitEvent();
  if (stopEvent) handles[count++] = stopEvent;
  // The service restarts through the service manager, never by itself.
  const DWORD restartIndex = count;
  if (mode != TServeMode::Service && presence.RestartEvent())
    handles[count++] = presence.RestartEvent();
  for (;;) {
    const DWORD woke = MsgWaitForMultipleObjectsEx(count, handles, INFINITE, QS_ALLINPUT,
                                                   MWMO_INPUTAVAILABLE);
    if (woke == WAIT_OBJECT_0 + restartIndex && restartIndex < count) {
      presence.Withdraw();  // before the successor looks for a serving agent
      return TEnd::Restart;
    }
    if (woke < WAIT_OBJECT_0 + count) return TEnd::Quit;
    if (!PumpMessages(mode, idle)) return TEnd::Quit;
  }
}

}  // namespace

int RunComServer(TServeMode mode, HANDLE stopEvent) {
  TAgentPresence presence;
  if (mode == TServeMode::Background && presence.OtherAgentServing()) return 0;
  SetServerThread(GetCurrentThreadId());
  ThePublisher().Start();
  const TEnd end = Serve(mode, stopEvent, presence);  // class objects revoked on return
  // A stopping agent leaves its accounts offline; one handing over to its successor
  // leaves them as they are, for the successor to take on.
  ThePublisher().Stop(end != TEnd::Restart);
  SetServerThread(0);
  presence.Withdraw();
  if (end == TEnd::Restart) StartSuccessor(mode);
  return end == TEnd::Failed ? 3 : 0;
}
