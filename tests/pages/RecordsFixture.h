// What the records page and record editor tests share beyond the main window fixture:
// profiles written from record lists, the records section opened through its
// navigation button, and a combo box choice made as the user makes it.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "agent/UnitDef.h"
#include "pages/frameCName.h"
#include "pages/frameMX.h"
#include "pages/frameRRA.h"
#include "pages/frameRRsPro.h"
#include "pages/frameRRsStd.h"
#include "tests/support/MainWindowFixture.h"
#include "toolkit/Exception.h"
#include "profile/XmlValue.h"

namespace records_test {

inline std::wstring Host(const std::wstring& name, int address, int ttl) {
  return L"<A><Name>" + name + L"</Name><TTL>" + std::to_wstring(ttl) + L"</TTL><IPv4>" +
         std::to_wstring(address) + L"</IPv4></A>";
}
inline std::wstring Alias(const std::wstring& name, const std::wstring& host, int ttl) {
  return L"<CName><Name>" + name + L"</Name><TTL>" + std::to_wstring(ttl) + L"</TTL><Host>" + host +
         L"</Host></CName>";
}
inline std::wstring Exchanger(const std::wstring& name, const std::wstring& server, int preference, int ttl) {
  return L"<MX><Name>" + name + L"</Name><TTL>" + std::to_wstring(ttl) + L"</TTL><NameExchange>" + server +
         L"</NameExchange><Preference>" + std::to_wstring(preference) + L"</Preference></MX>";
}
inline std::wstring Profile(const std::wstring& hosts, const std::wstring& aliases, const std::wstring& exchangers) {
  return L"<UserInfo Modified=\"False\"><Domain>home.example</Domain><As>" + hosts + L"</As><CNames>" + aliases +
         L"</CNames><MXs>" + exchangers + L"</MXs></UserInfo>";
}

// Three host records, two aliases and two mail exchangers.
inline std::wstring DemoProfile() {
  return Profile(Host(L"www", IPv4FromOctets(192, 168, 1, 1), 600) + Host(L"ftp", IPv4FromOctets(192, 168, 1, 2), 300) +
                     Host(L"mail", 16909060, 3600),
                 Alias(L"bbs", L"www.home.example", 600) + Alias(L"docs", L"www.home.example", 1800),
                 Exchanger(L"mail", L"mx1", 10, 3600) + Exchanger(L"mail", L"mx2", 20, 150));
}

class RecordsPageTest : public MainWindowFixture {
 protected:
  // Holds `profile` as the poll brings it and opens the records section, standard or
  // professional by the service type.
  void OpenRecords(const std::wstring& profile, long serviceType) {
    agent.userProfileXml = profile;
    agent.serviceType = serviceType;
    HoldProfile();
    main->btnRRs.Click();
  }
  TPageRRsStd& Std() { return *Page<TPageRRsStd>(L"PageRRsStd"); }
  // The named record editor when it is the current page; null otherwise.
  template <class TEditor>
  TEditor* CurrentEditor(const wchar_t* name) const {
    TEditor* editor = Page<TEditor>(name);
    return editor && IsCurrent(*editor) ? editor : nullptr;
  }
  TPageRRsPro& Pro() { return *Page<TPageRRsPro>(L"PageRRsPro"); }
  // Types into one field of an address edit, its old text replaced.
  static void TypeOctet(TBGIPEdit& ip, int field, const std::wstring& digits) { Retype(ip.Field(field), digits); }
  // Selects a grid row as a click on it does.
  void SelectRow(int row) {
    TBGDrawGrid& grid = Pro().GridRRs;
    const RECT cell = grid.CellRect(0, row);
    Click(grid, cell.left + 20, cell.top + 4);
    ASSERT_EQ(grid.Row(), row);
  }
  static std::string Narrow(const std::wstring& text) { return ToUtf8(text); }
};

}  // namespace records_test
