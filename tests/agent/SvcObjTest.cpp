// The agent's start-up choices against a sandboxed machine key and a recording
// stand-in for the agent executable in an install folder with blanks: which one switch
// each wish starts (the program never writes the machine's Run value itself); nothing
// at all when the wishes are what Load read; and the real service manager's answer
// for Load.
#include <gtest/gtest.h>

#include "agent/SvcObj.h"
#include "tests/support/StartUpSandbox.h"

namespace {

using vt::test::TStartUpSandbox;
using Starts = std::vector<std::wstring>;

class SvcObjTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (!createdService_) return;
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = OpenServiceW(manager, kAgentName, DELETE);
    EXPECT_TRUE(service && DeleteService(service));
    if (service) CloseServiceHandle(service);
    CloseServiceHandle(manager);
  }

  // The service "Veltrano", never started, pointing at the stand-in; deleted in
  // TearDown (other tests expect none).
  void CreateAgentService() {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(manager, nullptr);
    const std::wstring command = L"\"" + sandbox.AgentPath() + L"\" -Service";
    SC_HANDLE service = CreateServiceW(manager, kAgentName, kAgentName, SERVICE_ALL_ACCESS,
                                       SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                       SERVICE_ERROR_IGNORE, command.c_str(), nullptr, nullptr,
                                       nullptr, nullptr, nullptr);
    createdService_ = service != nullptr;
    ASSERT_TRUE(createdService_) << "a service Veltrano was left by another test";
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
  }

  TStartUpSandbox sandbox;
  TSvcObj svc;

 private:
  bool createdService_ = false;
};

TEST_F(SvcObjTest, EachWishStartsOneSwitchOfTheAgentAndTheProgramWritesNoMachineValue) {
  struct TRow {
    bool autoRun, service;
    const wchar_t* command;
  };
  const TRow rows[] = {
      {false, false, L"-NoAutoRun"},
      {true, false, L"-AutoRun"},
      {true, true, L"-Install"},
      // Never offered by the page: a service without start-up is not kept.
      {false, true, L"-NoAutoRun"},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(testing::Message() << "AutoRun " << row.autoRun << ", service " << row.service);
    sandbox.ClearStarts();
    sandbox.SetRunValue(L"stale");
    svc.AutoRun = row.autoRun;
    svc.RunAsService = row.service;
    svc.AutoRunApplied = !row.autoRun;  // a change to apply
    EXPECT_EQ(svc.Apply(), TSvcObj::TApplied::Started);
    EXPECT_EQ(sandbox.Starts(1), Starts{row.command});  // the decoy would show here
    EXPECT_EQ(sandbox.Starts(2, 300).size(), 1u);
    EXPECT_EQ(sandbox.RunValue(), L"stale");
    EXPECT_FALSE(svc.Pending());
  }
}

TEST_F(SvcObjTest, WithoutAnInstallFolderNothingStartsAndTheWishIsDropped) {
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tavrinel\\Veltrano", L"Install Path");
  svc.AutoRun = true;
  EXPECT_EQ(svc.Apply(), TSvcObj::TApplied::Declined);
  EXPECT_FALSE(svc.AutoRun);  // the page shows the machine's state again
  EXPECT_FALSE(svc.Pending());
  EXPECT_TRUE(sandbox.Starts(1, 300).empty());
}

TEST_F(SvcObjTest, OnlyARunValueThatStartsTheAgentCountsAsStartUp) {
  std::wstring shouted = L"\"" + sandbox.AgentPath() + L"\"";
  CharUpperBuffW(shouted.data(), static_cast<DWORD>(shouted.size()));
  for (const std::wstring& foreign :
       {std::wstring(L""), std::wstring(L"C:\\other\\evil.exe /x"), L"\"" + sandbox.AgentPath() + L"\" /min",
        sandbox.AgentPath() /* unquoted, with blanks: "...\\Program.exe" would start */}) {
    sandbox.SetRunValue(foreign);
    EXPECT_FALSE(svc.Load()) << testing::PrintToString(foreign);
  }
  sandbox.SetRunValue(shouted);  // case does not matter on Windows
  EXPECT_TRUE(svc.Load());

  // Ticked over a foreign value, Apply puts ours in its place.
  sandbox.SetRunValue(L"C:\\other\\evil.exe /x");
  EXPECT_FALSE(svc.Load());
  svc.AutoRun = true;
  EXPECT_EQ(svc.Apply(), TSvcObj::TApplied::Started);
  EXPECT_EQ(sandbox.Starts(1), Starts{L"-AutoRun"});
}

TEST_F(SvcObjTest, ApplyRightAfterLoadTouchesNothingAndLoadKeepsAChoiceWaitingForApply) {
  const std::wstring ours = L"\"" + sandbox.AgentPath() + L"\"";
  sandbox.SetRunValue(ours);
  EXPECT_TRUE(svc.Load());
  EXPECT_FALSE(svc.RunAsService);
  EXPECT_EQ(svc.Apply(), TSvcObj::TApplied::Nothing);

  // A choice made but not applied survives a Load (the page refreshes on every visit).
  svc.AutoRun = false;
  EXPECT_FALSE(svc.Load());
  EXPECT_TRUE(svc.AutoRunApplied);
  svc.Apply();
  // Only this Apply started a command: the first one started none.
  EXPECT_EQ(sandbox.Starts(1), Starts{L"-NoAutoRun"});
  EXPECT_EQ(sandbox.Starts(2, 500).size(), 1u);
  EXPECT_EQ(sandbox.RunValue(), ours);  // the program writes no machine value itself
}

TEST_F(SvcObjTest, AnInstalledServiceLoadsAsStartUpAndService) {
  EXPECT_FALSE(ServiceExists(kAgentName));
  CreateAgentService();
  EXPECT_TRUE(ServiceExists(kAgentName));
  EXPECT_EQ(sandbox.RunValue(), std::nullopt);
  EXPECT_TRUE(svc.Load());
  EXPECT_TRUE(svc.RunAsService);
  EXPECT_TRUE(svc.AutoRunApplied && svc.RunAsServiceApplied);
}

}  // namespace
