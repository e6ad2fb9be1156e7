// No key or security answer can be read in the agent's files, nor in the program's own,
// after a demo reset, after each demo account was signed in to by its key, and after a
// new security answer was applied: not as text, as UTF-16, or as base64 of either. The
// program still signs in with each key and shows the answer masked.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/AccountPagesFixture.h"
#include "tests/support/SecretTraces.h"
#include "tests/support/TestPaths.h"

namespace {

using namespace e2e;

// The intranet account's answer, 2003, is left out: it is also a domain's sequence number.
const std::vector<std::wstring> kSecrets = {kDemoProKey, kDemoStdKey, kDemoLanKey, L"阳光小学", L"蓝色", L"星光中学"};

// "<file>: <secret>" for every secret some file below `folder` holds in any form.
void CollectTraces(const std::wstring& folder, std::wstring& traces) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CollectTraces(folder + name + L"\\", traces);
      continue;
    }
    const std::string bytes = FileBytes(folder + name);
    for (const std::wstring& secret : kSecrets)
      if (HoldsSecret(bytes, secret)) traces += folder + name + L": " + secret + L"\n";
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

class SecretsAtRestTest : public AccountPagesTest {
 protected:
  // The agent's store, the program's domain list and the program's window titles.
  std::string Traces() {
    std::wstring traces;
    CollectTraces(AgentDataDir(), traces);
    const std::string domainList = FileBytes(vt::test::ProductDir() + L"TDNL.kvf");
    for (const std::wstring& secret : kSecrets)
      if (HoldsSecret(domainList, secret)) traces += L"TDNL.kvf: " + secret + L"\n";
    for (HWND window : {main, program->TopWindow(L"TMsgForm")})
      for (const std::wstring& secret : kSecrets)
        if (window && WindowText(window).find(secret) != std::wstring::npos) traces += L"title: " + secret + L"\n";
    return Narrow(traces);
  }
  void SignInWith(const std::wstring& key, const std::wstring& account, const std::wstring& holder) {
    SetText(Edits(userPage).at(0), key);
    Click(Child(userPage, L"Button", L"开  通"));
    ASSERT_TRUE(WaitFor([&] { return StoredCurrentAccount() == account; }));
    ASSERT_TRUE(WaitFor([&] { return FindChild(userPage, L"", holder) != nullptr; })) << Narrow(holder);
  }
};

TEST_F(SecretsAtRestTest, NoKeyOrAnswerIsReadableAfterAResetSignInsByKeyAndANewAnswer) {
  EXPECT_EQ(Traces(), "");

  ASSERT_NO_FATAL_FAILURE(SignInWith(kDemoStdKey, kDemoStdId, L"李娜"));
  ASSERT_NO_FATAL_FAILURE(SignInWith(kDemoLanKey, kDemoLanId, L"王芳"));
  ASSERT_NO_FATAL_FAILURE(SignInWith(kDemoProKey, kDemoProId, L"张伟"));
  EXPECT_EQ(Traces(), "");

  HWND page = OpenModifyPage();
  ASSERT_NE(page, nullptr);
  std::vector<HWND> edits = Edits(page);
  ASSERT_EQ(edits.size(), 7u);  // name, answer, e-mail, confirmation, question, new answer, confirmation
  EXPECT_NE(GetWindowLongW(edits[1], GWL_STYLE) & ES_PASSWORD, 0);
  SetText(edits[1], L"阳光小学");
  SetText(edits[5], L"星光中学");
  SetText(edits[6], L"星光中学");
  OkThenApply(page);
  EXPECT_TRUE(StoredHolds(L"<Answer>星光中学</Answer>")) << "opened, the stored profile holds the new answer";
  EXPECT_EQ(Traces(), "");
}

}  // namespace
