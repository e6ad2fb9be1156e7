// The profile's revision in-process: what the service hands out, a change made on an
// older revision refused whatever else it changes, and a client going on from its own
// stored change.
#include "tests/orvanta/ServiceTestUtil.h"

#include "orvanta/ProfileRules.h"

namespace vt::test {
namespace {

using RevisionTest = ServiceFixture;

std::wstring RevisionOf(const std::wstring& handedOut) {
  const size_t at = handedOut.find(L"Revision=\"");
  return at == std::wstring::npos ? L"" : handedOut.substr(at + 10, 16);
}

TEST_F(RevisionTest, AChangeMadeOnAnOlderRevisionIsRefusedAndStoresNothing) {
  TProfileLine program;
  const std::wstring given = Service().GetUserProfile(0);
  const std::wstring revision = RevisionOf(given);
  ASSERT_EQ(revision.size(), 16u);
  EXPECT_EQ(revision, ProfileRevision(StoredProfile(L"pro")));
  EXPECT_EQ(RevisionOf(Restarted()->GetUserProfile(0)), revision);  // same after a restart

  // The e-mail address is changed behind the program, on disk.
  const std::wstring outside = Replaced(StoredProfile(L"pro"), L"zhang.wei@example.com",
                                        L"zw@elsewhere.example");
  WriteFile(L"Profiles\\pro.xml", outside);
  const std::wstring edit = Replaced(given, L"<TTL>600</TTL>", L"<TTL>300</TTL>");
  // Refused as a change on an old revision, not for the e-mail the program never touched.
  EXPECT_EQ(FaultOf([&] { Service().PutUserProfile(edit, -1, &program); }),
            TAgentFault::ProfileChanged);
  EXPECT_EQ(StoredProfile(L"pro"), outside);

  // Made again on the newer revision, it is taken; the program's next change on top of
  // its own goes through, another client still holding that revision does not.
  const std::wstring fresh = Service().GetUserProfile(0);
  const std::wstring first = Replaced(fresh, L"<TTL>600</TTL>", L"<TTL>300</TTL>");
  Service().PutUserProfile(first, -1, &program);
  const std::wstring second = Replaced(first, L"<OnlinePort>80</OnlinePort>", L"<OnlinePort>81</OnlinePort>");
  Service().PutUserProfile(second, -1, &program);
  EXPECT_EQ(StoredProfile(L"pro"), second);
  TProfileLine other;
  EXPECT_EQ(FaultOf([&] { Service().PutUserProfile(fresh, -1, &other); }),
            TAgentFault::ProfileChanged);
  EXPECT_EQ(StoredProfile(L"pro"), second);

  // A text without a revision is taken as made on the stored one.
  const std::wstring plain = Replaced(second, L" Revision=\"" + RevisionOf(fresh) + L"\"", L"");
  EXPECT_EQ(FaultOf([&] { Service().PutUserProfile(plain, -1); }), std::nullopt);
}

}  // namespace
}  // namespace vt::test
