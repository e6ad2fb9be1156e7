// Keys, answers and the mail that carries them, sealed at rest: a store an earlier
// version wrote in clear text is sealed once and loses nothing; a key sealed for
// another machine leaves its account unused, named, and stored as it was.
#include "tests/orvanta/ServiceTestUtil.h"
#include "tests/support/SecretTraces.h"

namespace vt::test {
namespace {

// The secrets of `secrets` that the file holds in any form.
std::wstring Readable(const std::wstring& path, std::initializer_list<std::wstring> secrets) {
  const std::string file = FileBytes(path);
  std::wstring found;
  for (const std::wstring& secret : secrets)
    if (HoldsSecret(file, secret)) found += secret + L" ";
  return found;
}

// The accounts file with every Key attribute's value given by `key(index)`.
template <class F>
std::wstring WithKeys(std::wstring accounts, F key) {
  size_t at = 0;
  for (int i = 0; (at = accounts.find(L"Key=\"", at)) != std::wstring::npos; ++i) {
    at += 5;
    const size_t end = accounts.find(L'"', at);
    accounts.replace(at, end - at, key(i, accounts.substr(at, end - at)));
  }
  return accounts;
}

class SecretsTest : public ServiceFixture {
 protected:
  std::wstring Traces() {
    return Readable(Folder() + L"Accounts.xml", {kDemoProKey, kDemoStdKey, kDemoLanKey}) +
           Readable(Folder() + L"Profiles\\pro.xml", {L"阳光小学", L"阳光&amp;小学", L"阳光&小学"}) +
           Readable(Folder() + L"Profiles\\std.xml", {L"蓝色"});
  }
};

TEST_F(SecretsTest, AClearStoreFromAnEarlierVersionIsSealedOnceAndLosesNothing) {
  EXPECT_EQ(Traces(), L"") << "the demo data is written sealed";
  const wchar_t* keys[] = {kDemoProKey, kDemoStdKey, kDemoLanKey};
  WriteFile(L"Accounts.xml", WithKeys(FileText(L"Accounts.xml"), [&](int i, const std::wstring&) { return keys[i]; }));
  const std::wstring clear = Replaced(StoredProfile(L"pro"), L"<Answer>阳光小学</Answer>", L"<Answer>阳光&amp;小学</Answer>");
  WriteFile(L"Profiles\\pro.xml", clear);
  ASSERT_NE(Traces(), L"");

  auto agent = Restarted();
  agent->Start();
  EXPECT_EQ(Traces(), L"");
  EXPECT_EQ(StoredProfile(L"pro"), clear) << "opened, the text is the one stored before, entity and all";
  const std::wstring sealed = FileText(L"Accounts.xml") + FileText(L"Profiles\\pro.xml");
  agent->SetAnswer(L"阳光&小学");
  EXPECT_NE(agent->GetAuthorization(), L"");
  agent->ChangeUser(kDemoLanKey);
  agent->ChangeUser(kDemoProKey);

  auto later = Restarted();
  later->Start();
  EXPECT_EQ(FileText(L"Accounts.xml") + FileText(L"Profiles\\pro.xml"), sealed) << "sealed once";
}

TEST_F(SecretsTest, AKeySealedForAnotherMachineLeavesItsAccountUnusedNamedAndStoredAsItWas) {
  // One character of the professional account's sealed key changed: it no longer opens.
  std::wstring damaged;
  WriteFile(L"Accounts.xml", WithKeys(FileText(L"Accounts.xml"), [&](int i, std::wstring key) {
              if (i == 0) key[key.size() / 2] = key[key.size() / 2] == L'A' ? L'B' : L'A', damaged = key;
              return key;
            }));
  auto agent = Restarted();
  try {
    agent->Start();
    FAIL() << "started";
  } catch (const TAgentError& e) {
    EXPECT_EQ(e.Fault(), TAgentFault::SecretUnreadable);
    EXPECT_NE(e.Description().find(L"账户 pro "), std::wstring::npos);
  }
  EXPECT_EQ(agent->GetUserState(), 1);
  EXPECT_EQ(FaultOf([&] { agent->GetUserProfile(0); }), TAgentFault::SecretUnreadable);
  EXPECT_EQ(FaultOf([&] { agent->ChangeUser(kDemoProKey); }), TAgentFault::SecretUnreadable);

  agent->ChangeUser(kDemoStdKey);  // the other accounts work
  EXPECT_EQ(agent->GetUserState(), 2);
  agent->RebuildAccountKey();  // writes the accounts file again
  EXPECT_NE(FileText(L"Accounts.xml").find(L"Key=\"" + damaged + L"\""), std::wstring::npos);
  EXPECT_EQ(Readable(Folder() + L"Outbox\\000001-AccountKey.txt", {L"原来的注册码已经失效"}), L"") << "the mail is sealed";
}

}  // namespace
}  // namespace vt::test
