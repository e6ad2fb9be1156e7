// Shared helpers of the in-process tests of the agent's simulated service: a service
// on a fresh scratch data folder, the failure an action raises, and text edits.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "tests/support/AgentData.h"
#include "orvanta/AgentService.h"
#include "orvanta/ErrorTexts.h"
#include "orvanta/Secrets.h"
#include "tests/support/TestPaths.h"

namespace vt::test {

class ServiceFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = ScratchDir(std::wstring(L"orvanta-") + Wide(info->name()));
    service_ = std::make_unique<TAgentService>(folder_);
    service_->Start();
  }

  TAgentService& Service() { return *service_; }
  const std::wstring& Folder() const { return folder_; }
  // A second agent on the same files, as after a restart.
  std::unique_ptr<TAgentService> Restarted() { return std::make_unique<TAgentService>(folder_); }

  std::wstring FileText(const std::wstring& name) const { return ReadUtf8File(folder_ + name); }
  void WriteFile(const std::wstring& name, const std::wstring& text) const {
    ASSERT_TRUE(WriteUtf8File(folder_ + name, text));
  }
  void WriteState(const std::wstring& account, int state, bool online) const {
    WriteFile(L"State.xml", L"<State CurrentAccount=\"" + account + L"\" UserState=\"" +
                                std::to_wstring(state) + L"\" Online=\"" +
                                (online ? L"True" : L"False") + L"\"/>");
  }
  // The stored profile with its sealed answer opened, as the agent reads it.
  std::wstring StoredProfile(const std::wstring& id) const {
    const std::wstring stored = FileText(L"Profiles\\" + id + L".xml");
    return OpenProfileText(stored).text.value_or(stored);
  }

  static std::wstring Wide(const char* text) {
    std::wstring out;
    for (; *text; ++text) out.push_back(static_cast<wchar_t>(*text));
    return out;
  }

 private:
  std::wstring folder_;
  std::unique_ptr<TAgentService> service_;
};

// The fault the action raised, or nothing when it returned normally.
template <class F>
std::optional<TAgentFault> FaultOf(F&& action) {
  try {
    action();
  } catch (const TAgentError& e) {
    return e.Fault();
  }
  return std::nullopt;
}

// The text with the first occurrence of `from` replaced; fails the test when absent.
inline std::wstring Replaced(std::wstring text, const std::wstring& from, const std::wstring& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::wstring::npos) << "missing in the text";
  if (at != std::wstring::npos) text.replace(at, from.size(), to);
  return text;
}

}  // namespace vt::test
