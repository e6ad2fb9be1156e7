// The agent's data folder in-process on scratch folders: the store an earlier version
// kept beside the executable is taken over at the first start, byte for byte and with
// its outbox, and only once; a store already in the machine's folder wins; a failed
// write names the place and the system's reason.
#include <gtest/gtest.h>

#include "orvanta/AgentService.h"
#include "orvanta/DataFolder.h"
#include "orvanta/ErrorTexts.h"
#include "tests/support/AgentData.h"
#include "tests/support/TestPaths.h"

namespace vt::test {
namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class DataFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring root = ScratchDir(L"orvanta-data-folder");
    legacy = root + L"Program Files\\Veltrano\\OrvantaData\\";
    target = root + L"ProgramData\\Veltrano\\OrvantaData\\";
    // An earlier version's store: the demo data with this machine's own changes.
    TAgentService earlier(legacy);
    earlier.Start();
    earlier.ChangeUser(kDemoStdKey);
    earlier.ResendAnswer();  // a mail in the outbox
    earlier.PutAppProfile(L"<LocalSetting><Host>kept.example</Host></LocalSetting>");
  }
  std::wstring legacy, target;
};

TEST_F(DataFolderTest, TheEarlierStoreIsTakenOverWholeOnceAndItsOldPlaceCleared) {
  const std::wstring state = ReadUtf8File(legacy + L"State.xml");
  const std::wstring profile = ReadUtf8File(legacy + L"Profiles\\std.xml");
  TAgentService agent(target, legacy);
  agent.Start();
  EXPECT_EQ(agent.GetAppProfile(), L"<LocalSetting><Host>kept.example</Host></LocalSetting>");
  EXPECT_EQ(ReadUtf8File(target + L"State.xml"), state);
  EXPECT_EQ(ReadUtf8File(target + L"Profiles\\std.xml"), profile);
  EXPECT_EQ(agent.GetServiceType(), 1);  // the standard account is still the current one
  WIN32_FIND_DATAW found;
  HANDLE mail = FindFirstFileW((target + L"Outbox\\*-Answer.txt").c_str(), &found);
  EXPECT_NE(mail, INVALID_HANDLE_VALUE);
  if (mail != INVALID_HANDLE_VALUE) FindClose(mail);
  EXPECT_FALSE(Exists(legacy));

  // Once: a store put back beside the executable later is left alone.
  TAgentService(legacy).Start();  // demo data there again
  agent.PutAppProfile(L"<LocalSetting><Host>new.example</Host></LocalSetting>");
  TAgentService again(target, legacy);
  again.Start();
  EXPECT_EQ(again.GetAppProfile(), L"<LocalSetting><Host>new.example</Host></LocalSetting>");
  EXPECT_TRUE(Exists(legacy + L"Accounts.xml"));
}

TEST_F(DataFolderTest, WithoutAnEarlierStoreTheDemoDataIsSeededAndAFailureSaysWhereAndWhy) {
  const std::wstring elsewhere = ScratchDir(L"orvanta-data-fresh") + L"Data\\";
  TAgentService fresh(elsewhere, elsewhere + L"nothing-here\\");
  fresh.Start();
  EXPECT_EQ(fresh.GetServiceType(), 3);  // the professional demo account

  // A folder that cannot be made (its parent is a file): the path and the reason.
  const std::wstring blocked = ScratchDir(L"orvanta-data-blocked") + L"file";
  ASSERT_TRUE(WriteUtf8File(blocked, L"x"));
  try {
    TAgentService(blocked + L"\\Data\\").Start();
    ADD_FAILURE() << "no failure";
  } catch (const TAgentError& e) {
    EXPECT_EQ(e.Fault(), TAgentFault::StoreWrite);
    EXPECT_EQ(e.Description().rfind(L"无法保存代理数据：" + blocked + L"\\Data（", 0), 0u) << e.what();
    EXPECT_EQ(e.Description().back(), L'）');
  }
}

}  // namespace
}  // namespace vt::test
