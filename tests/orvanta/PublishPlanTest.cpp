// What a profile publishes: the professional demo profile online and offline under
// every choice of the domain's own record, its host records, aliases and mail
// exchangers with their own TTLs, and nothing outside the account's zone.
#include <gtest/gtest.h>

#include <string>

#include "orvanta/DemoData.h"
#include "orvanta/PublishPlan.h"

namespace {

const std::string kZone = "veltrano.net";
const std::string kDomain = "demo-pro.veltrano.net";

TPublishProfile DemoPro() { return ReadPublishProfile(DemoData(LocalToday()).profiles.at(L"pro")); }

// "TTL value; TTL value" of the RRset, or "none".
std::string Show(const TPublishPlan& plan, const std::string& name, uint16_t type) {
  for (const dns::TRRset& set : plan.sets) {
    if (set.name != name || set.type != type) continue;
    std::string shown;
    for (const dns::TRecordData& r : set.records) {
      if (!shown.empty()) shown += "; ";
      shown += std::to_string(r.ttl) + " ";
      if (type == dns::kTypeA)
        shown += AddressText(r.address[0] | r.address[1] << 8 | r.address[2] << 16 | static_cast<uint32_t>(r.address[3]) << 24);
      else
        shown += (type == dns::kTypeMx ? std::to_string(r.preference) + " " : "") + r.target;
    }
    return shown;
  }
  return "none";
}

std::string Notes(const TPublishPlan& plan) {
  std::string all;
  for (const std::string& note : plan.notes) all += note + "\n";
  return all;
}

TEST(PublishPlanTest, OnlineTheDemoProfilePublishesTheMachineAndEveryRecordWithItsTtl) {
  TAddresses addresses;
  addresses.machine = *ParseAddress("198.51.100.7");
  addresses.local = *ParseAddress("10.1.2.3");
  const TPublishPlan plan = PlanPublication(DemoPro(), true, addresses, kZone);
  EXPECT_EQ(Show(plan, kDomain, dns::kTypeA), "600 198.51.100.7");
  EXPECT_EQ(Show(plan, "www." + kDomain, dns::kTypeA), "600 192.168.1.1");
  EXPECT_EQ(Show(plan, "ftp." + kDomain, dns::kTypeA), "300 192.168.1.2");
  EXPECT_EQ(Show(plan, "docs." + kDomain, dns::kTypeCname), "1800 www.demo-pro.veltrano.net");
  EXPECT_EQ(Show(plan, "mail." + kDomain, dns::kTypeMx),
            "3600 10 mail.demo-pro.veltrano.net; 3600 20 backup-mx.veltrano.net");
  EXPECT_EQ(plan.sets.size(), 7u);
  EXPECT_EQ(Notes(plan), "");

  addresses.machine.reset();  // no address service: the interface's address
  EXPECT_EQ(Show(PlanPublication(DemoPro(), true, addresses, kZone), kDomain, dns::kTypeA), "600 10.1.2.3");
}

TEST(PublishPlanTest, EachChoiceOfTheDomainsOwnRecordOnlineAndOffline) {
  TAddresses addresses;
  addresses.machine = *ParseAddress("198.51.100.7");
  addresses.local = *ParseAddress("10.1.2.3");
  TPublishProfile p = DemoPro();
  auto domain = [&](int online, int offline, bool signedIn) {
    p.onlineType = online, p.offlineType = offline;
    const TPublishPlan plan = PlanPublication(p, signedIn, addresses, kZone);
    const std::string a = Show(plan, kDomain, dns::kTypeA), alias = Show(plan, kDomain, dns::kTypeCname);
    return a != "none" ? a : alias != "none" ? "alias " + alias : "none: " + Notes(plan);
  };
  EXPECT_EQ(domain(12, 23, true), "600 192.168.1.1");  // OnlineFixedIP
  EXPECT_EQ(domain(15, 23, true), "600 10.1.2.3");     // the intranet interface
  EXPECT_EQ(domain(11, 21, false), "600 10.0.0.1");    // OfflineIP
  EXPECT_EQ(domain(11, 23, false), "none: ");          // no address while offline
  EXPECT_EQ(domain(11, 25, false), "alias 600 backup.veltrano.net");
  EXPECT_EQ(domain(13, 23, true),
            "none: domain demo-pro.veltrano.net: a redirection or information page needs a web redirector, "
            "and none is configured\n");
  addresses.redirector = *ParseAddress("192.0.2.80");
  EXPECT_EQ(domain(14, 23, true), "600 192.0.2.80");
  EXPECT_EQ(domain(11, 24, false), "600 192.0.2.80");
}

TEST(PublishPlanTest, NothingOutsideTheZoneAndNoAliasBesideOtherData) {
  TPublishProfile p = DemoPro();
  EXPECT_EQ(PlanPublication(p, true, {}, "example.org").refusal,
            "the domain demo-pro.veltrano.net lies outside the zone example.org");
  EXPECT_TRUE(PlanPublication(p, true, {}, "example.org").sets.empty());

  p.hosts.push_back({"@", 120, *ParseAddress("192.0.2.9")});   // the domain itself, beside its own address
  p.aliases.push_back({"www", 60, "elsewhere.example.org"});   // an alias where a host record is
  p.hosts.push_back({"bad name", 60, 1});
  TAddresses addresses;
  addresses.machine = *ParseAddress("198.51.100.7");
  const TPublishPlan plan = PlanPublication(p, true, addresses, kZone);
  EXPECT_EQ(Show(plan, kDomain, dns::kTypeA), "120 198.51.100.7; 120 192.0.2.9") << "one TTL for the RRset, the smaller";
  EXPECT_EQ(Show(plan, "www." + kDomain, dns::kTypeCname), "none");
  EXPECT_EQ(Notes(plan),
            "host bad name: not a host name\n"
            "alias www.demo-pro.veltrano.net: the name holds other records\n");
}

}  // namespace
