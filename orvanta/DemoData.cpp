#include "orvanta/DemoData.h"

#include <windows.h>
#include <oleauto.h>

#include <cmath>
#include <vector>

namespace {

// Writes indented XML text; the demo profiles are stored as text, like the ones the
// program sends, so they read well when a person opens the file.
class TXmlText {
 public:
  void Open(const std::wstring& name, const std::wstring& attributes = {}) {
    Indent();
    out_ += L"<" + name + attributes + L">\r\n";
    open_.push_back(name);
  }
  void Close() {
    const std::wstring name = open_.back();
    open_.pop_back();
    Indent();
    out_ += L"</" + name + L">\r\n";
  }
  void Leaf(const std::wstring& name, const std::wstring& text) {
    Indent();
    out_ += L"<" + name + L">" + Escaped(text) + L"</" + name + L">\r\n";
  }
  void Leaf(const std::wstring& name, int value) { Leaf(name, std::to_wstring(value)); }
  std::wstring Text() const { return out_; }

  static std::wstring Attr(const std::wstring& name, const std::wstring& value) {
    return L" " + name + L"=\"" + Escaped(value) + L"\"";
  }

 private:
  void Indent() { out_.append(open_.size() * 2, L' '); }
  static std::wstring Escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
      switch (c) {
        case L'&': out += L"&amp;"; break;
        case L'<': out += L"&lt;"; break;
        case L'>': out += L"&gt;"; break;
        case L'"': out += L"&quot;"; break;
        default: out.push_back(c);
      }
    }
    return out;
  }
  std::wstring out_;
  std::vector<std::wstring> open_;
};

std::wstring Real(double value) { return FormatReal(value); }

struct TLink {
  std::wstring domain;
  std::wstring name;  // children only
  int sequence;
  int token;
};

struct TRecord {
  std::wstring name;
  int ttl;
  std::wstring value;  // the host (alias) or the mail exchanger
  int number;          // the address (host record) or the preference (mail exchanger)
};

struct TCharge {
  double sum;
  int currency;
  double stamp;
};

struct TProfileSeed {
  int onlineType = 0, offlineType = 0;
  std::wstring domain, userName, email, question, answer, description, offlineHost;
  std::vector<TLink> parents, children;
  std::vector<TRecord> hosts, aliases, exchangers;
  std::vector<TCharge> charges;
  std::vector<int> services, categories;
  std::vector<std::wstring> keys, news;
  int connectionType = 0;
  double lastUpdate = 0, hostUpdate = 0;
};

void WriteLinks(TXmlText& x, const wchar_t* list, const wchar_t* item,
                const std::vector<TLink>& links) {
  x.Open(list);
  for (const TLink& l : links) {
    x.Open(item, TXmlText::Attr(L"Domain", l.domain));
    if (!l.name.empty()) x.Leaf(L"Name", l.name);
    x.Leaf(L"Sequence", l.sequence);
    x.Leaf(L"Token", l.token);
    x.Close();
  }
  x.Close();
}

void WriteRecords(TXmlText& x, const TProfileSeed& p) {
  x.Open(L"As");
  for (const TRecord& r : p.hosts) {
    x.Open(L"A");
    x.Leaf(L"Name", r.name);
    x.Leaf(L"TTL", r.ttl);
    x.Leaf(L"IPv4", r.number);
    x.Close();
  }
  x.Close();
  x.Open(L"CNames");
  for (const TRecord& r : p.aliases) {
    x.Open(L"CName");
    x.Leaf(L"Name", r.name);
    x.Leaf(L"TTL", r.ttl);
    x.Leaf(L"Host", r.value);
    x.Close();
  }
  x.Close();
  x.Open(L"MXs");
  for (const TRecord& r : p.exchangers) {
    x.Open(L"MX");
    x.Leaf(L"Name", r.name);
    x.Leaf(L"TTL", r.ttl);
    x.Leaf(L"NameExchange", r.value);
    x.Leaf(L"Preference", r.number);
    x.Close();
  }
  x.Close();
}

template <class T>
void WriteList(TXmlText& x, const wchar_t* list, const wchar_t* item, const std::vector<T>& values) {
  x.Open(list);
  for (const T& v : values) x.Leaf(item, v);
  x.Close();
}

// Every field of the UserInfo format, in its declared order.
std::wstring ProfileText(const TProfileSeed& p) {
  TXmlText x;
  x.Open(L"UserInfo", TXmlText::Attr(L"Modified", L"False"));
  x.Leaf(L"OnlineType", p.onlineType);
  x.Leaf(L"OnlineIP", IPv4Value(203, 0, 113, 25));
  x.Leaf(L"OnlinePort", 80);
  x.Leaf(L"OnlineFixedIP", IPv4Value(192, 168, 1, 1));
  x.Leaf(L"OnlineFixedPort", 8080);
  x.Leaf(L"OnlineURL", L"http://<Online IP>:8080");
  x.Leaf(L"OfflineType", p.offlineType);
  x.Leaf(L"OfflineIP", IPv4Value(10, 0, 0, 1));
  x.Leaf(L"OfflinePort", 80);
  x.Leaf(L"OfflineURL", L"http://www.example.com/offline.html");
  x.Leaf(L"OfflineHost", p.offlineHost);
  x.Leaf(L"TTL", 600);
  x.Leaf(L"LastUpdate", Real(p.lastUpdate));
  x.Leaf(L"Domain", p.domain);
  x.Leaf(L"Authorization", L"True");
  x.Leaf(L"DnsState", 1);
  WriteLinks(x, L"Parents", L"Parent", p.parents);
  WriteLinks(x, L"Children", L"Child", p.children);
  WriteRecords(x, p);
  x.Leaf(L"UserName", p.userName);
  x.Leaf(L"Email", p.email);
  x.Leaf(L"AccountState", 0);
  x.Leaf(L"Question", p.question);
  x.Leaf(L"Answer", p.answer);
  x.Leaf(L"ClientLanguage", 2052);
  x.Open(L"ChargeLogs");
  for (const TCharge& c : p.charges) {
    x.Open(L"ChargeLog");
    x.Leaf(L"Sum", Real(c.sum));
    x.Leaf(L"CurrencyType", c.currency);
    x.Leaf(L"ChargeStamp", Real(c.stamp));
    x.Close();
  }
  x.Close();
  x.Leaf(L"ConnectionType", p.connectionType);
  x.Leaf(L"Description", p.description);
  x.Leaf(L"HostUpdate", Real(p.hostUpdate));
  x.Leaf(L"Subscribe", L"True");
  x.Leaf(L"ICQ", L"123456789");
  x.Leaf(L"OICQ", L"10001");
  x.Leaf(L"IPN", L"8610-88886666");
  x.Leaf(L"ClientVersion", L"3.2.0");
  x.Leaf(L"HostLanguage", 2052);
  WriteList(x, L"Services", L"Service", p.services);
  WriteList(x, L"SiteKeys", L"Key", p.keys);
  WriteList(x, L"SiteNews", L"News", p.news);
  WriteList(x, L"Categories", L"Category", p.categories);
  x.Close();
  return x.Text();
}

// Domains of accounts this agent does not hold; the profiles link to some of them.
const std::vector<TRegisteredDomain>& Registry() {
  static const std::vector<TRegisteredDomain> registry = {
      {L"family.veltrano.net", 2001},  {L"club.veltrano.org", 2002},
      {L"oldfriend.vt-home.net", 2003}, {L"expired-hub.veltrano.cn", 2004},
      {L"shop-partner.veltrano.net", 2005}, {L"blog-host.veltrano.org", 2006},
      {L"archive.vt-home.net", 2007},  {L"test-lab.veltrano.cn", 2008},
      {L"photo.veltrano.net", 2009},   {L"music.veltrano.cn", 2010},
      {L"example-corp.veltrano.net", 2011}, {L"games.vt-home.net", 2012},
      // Further accounts of the service, so that a search for a few letters finds a
      // list worth choosing from.
      {L"shanghai-shop.veltrano.cn", 2013}, {L"shenzhen-lab.veltrano.cn", 2014},
      {L"beijing-office.veltrano.net", 2015}, {L"beijing-news.veltrano.cn", 2016},
      {L"home-server.vt-home.net", 2017}, {L"homework.veltrano.org", 2018},
      {L"photo-club.veltrano.org", 2019}, {L"photo-studio.veltrano.net", 2020},
      {L"club-house.vt-home.net", 2021}, {L"fishing-club.veltrano.org", 2022},
      {L"bookshop.veltrano.net", 2023}, {L"shop-online.veltrano.cn", 2024},
      {L"tea-house.veltrano.cn", 2025}, {L"mail-relay.veltrano.net", 2026},
      {L"family-album.vt-home.net", 2027}, {L"garden.veltrano.org", 2028},
      {L"chess-club.veltrano.net", 2029}, {L"cloud-drive.veltrano.net", 2030},
      {L"webcam.vt-home.net", 2031}, {L"school-alumni.veltrano.org", 2032},
  };
  return registry;
}

TProfileSeed ProSeed(double today) {
  TProfileSeed p;
  p.onlineType = 11;
  p.offlineType = 23;
  p.domain = L"demo-pro.veltrano.net";
  p.userName = L"张伟";
  p.email = L"zhang.wei@example.com";
  p.question = L"我的第一所学校叫什么名字？";
  p.answer = L"阳光小学";
  p.description = L"张伟的个人网站：照片、博客和软件下载。";
  p.offlineHost = L"backup.veltrano.net";
  // One parent and one child in each link state: 0 active, 1 waiting, 2 and 3 expired.
  p.parents = {{L"family.veltrano.net", L"", 2001, 0},
               {L"club.veltrano.org", L"", 2002, 1},
               {L"oldfriend.vt-home.net", L"", 2003, 2},
               {L"expired-hub.veltrano.cn", L"", 2004, 3}};
  p.children = {{L"shop-partner.veltrano.net", L"shop", 2005, 0},
                {L"blog-host.veltrano.org", L"blog", 2006, 1},
                {L"archive.vt-home.net", L"old", 2007, 2},
                {L"test-lab.veltrano.cn", L"lab", 2008, 3}};
  p.hosts = {{L"www", 600, L"", IPv4Value(192, 168, 1, 1)},
             {L"ftp", 300, L"", IPv4Value(192, 168, 1, 2)},
             {L"mail", 3600, L"", IPv4Value(10, 0, 0, 1)}};
  p.aliases = {{L"bbs", 600, L"www.demo-pro.veltrano.net", 0},
               {L"docs", 1800, L"www.demo-pro.veltrano.net", 0}};
  p.exchangers = {{L"mail", 3600, L"mail.demo-pro.veltrano.net", 10},
                  {L"mail", 3600, L"backup-mx.veltrano.net", 20}};
  p.charges = {{198.0, 156, today - 300 + 0.4375}, {98.5, 156, today - 30 + 0.6}};
  p.services = {0, 1, 2};
  p.categories = {100, 101, 205, 604};
  p.keys = {L"照片", L"博客", L"download"};
  p.news = {L"网站开通了！", L"新增软件下载栏目。", L"相册更新：春天的照片。"};
  p.connectionType = 5;
  p.lastUpdate = today - 1 + 0.5;
  p.hostUpdate = today - 2 + 0.25;
  return p;
}

TProfileSeed StdSeed(double today) {
  TProfileSeed p;
  p.onlineType = 12;
  p.offlineType = 21;
  p.domain = L"demo-std.veltrano.net";
  p.userName = L"李娜";
  p.email = L"li.na@example.com";
  p.question = L"我最喜欢的颜色是什么？";
  p.answer = L"蓝色";
  p.description = L"李娜的家庭相册。";
  p.offlineHost = L"demo-pro.veltrano.net";
  p.parents = {{L"family.veltrano.net", L"", 2001, 0},
               {L"club.veltrano.org", L"", 2002, 1},
               {L"oldfriend.vt-home.net", L"", 2003, 2},
               {L"expired-hub.veltrano.cn", L"", 2004, 3}};
  p.children = {{L"photo.veltrano.net", L"photo", 2009, 1}};
  p.hosts = {{L"www", 600, L"", IPv4Value(192, 168, 0, 10)}};
  p.aliases = {{L"home", 600, L"www.demo-std.veltrano.net", 0}};
  p.exchangers = {{L"mail", 3600, L"mail.demo-std.veltrano.net", 10}};
  p.charges = {{50.0, 156, today - 100 + 0.5}};
  p.services = {0};
  p.categories = {200, 205};
  p.keys = {L"相册", L"家庭"};
  p.news = {L"相册开通。", L"添加了旅行照片。"};
  p.connectionType = 6;
  p.lastUpdate = today - 3 + 0.75;
  p.hostUpdate = today - 5 + 0.5;
  return p;
}

TProfileSeed LanSeed(double today) {
  TProfileSeed p;
  p.onlineType = 15;
  p.offlineType = 25;
  p.domain = L"office.vt-home.net";
  p.userName = L"王芳";
  p.email = L"wang.fang@example.com";
  p.question = L"公司成立于哪一年？";
  p.answer = L"2003";
  p.description = L"办公室内网服务器：文件共享和内部网站。";
  p.offlineHost = L"demo-pro.veltrano.net";
  p.parents = {{L"example-corp.veltrano.net", L"", 2011, 0},
               {L"club.veltrano.org", L"", 2002, 1},
               {L"oldfriend.vt-home.net", L"", 2003, 2},
               {L"expired-hub.veltrano.cn", L"", 2004, 3}};
  p.children = {{L"music.veltrano.cn", L"music", 2010, 0},
                {L"games.vt-home.net", L"games", 2012, 1},
                {L"archive.vt-home.net", L"files", 2007, 2},
                {L"test-lab.veltrano.cn", L"dev", 2008, 3}};
  p.hosts = {{L"www", 600, L"", IPv4Value(172, 16, 0, 5)},
             {L"files", 600, L"", IPv4Value(172, 16, 0, 6)}};
  p.aliases = {{L"intranet", 600, L"www.office.vt-home.net", 0}};
  p.exchangers = {{L"mail", 3600, L"mail.office.vt-home.net", 5}};
  p.charges = {{1200.0, 156, today - 200 + 0.4}, {600.0, 156, today - 20 + 0.45}};
  p.services = {0, 1, 2, 3};
  p.categories = {400, 401, 104};
  p.keys = {L"办公", L"intranet", L"文件"};
  p.news = {L"内网网站上线。", L"文件服务器扩容。"};
  p.connectionType = 9;
  p.lastUpdate = today - 1 + 0.3;
  p.hostUpdate = today - 1 + 0.2;
  return p;
}

}  // namespace

int IPv4Value(int a, int b, int c, int d) {
  const unsigned value = static_cast<unsigned>(a) | (static_cast<unsigned>(b) << 8) |
                         (static_cast<unsigned>(c) << 16) | (static_cast<unsigned>(d) << 24);
  return static_cast<int>(value);
}

double LocalToday() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  now.wHour = now.wMinute = now.wSecond = now.wMilliseconds = 0;
  double date = 0;
  SystemTimeToVariantTime(&now, &date);
  return std::floor(date);
}

std::wstring DefaultLocalSetting() {
  return L"<LocalSetting>\r\n  <Host>ns1.veltrano.net</Host>\r\n  <HeartBeat>600</HeartBeat>\r\n"
         L"  <AutoConnect>True</AutoConnect>\r\n</LocalSetting>\r\n";
}

TStoreData DemoData(double today) {
  TStoreData data;
  data.accounts = {
      {demo::kProId, demo::kProKey, 3, today + 365, 1001},
      {demo::kStdId, demo::kStdKey, 1, today + 180 + 0.75, 1002},
      {demo::kLanId, demo::kLanKey, 5, today + 730, 1003},
  };
  data.profiles[demo::kProId] = ProfileText(ProSeed(today));
  data.profiles[demo::kStdId] = ProfileText(StdSeed(today));
  data.profiles[demo::kLanId] = ProfileText(LanSeed(today));
  data.session = {demo::kProId, 2, true};
  data.suffixes = {L"veltrano.net", L"veltrano.org", L"veltrano.cn", L"vt-home.net"};
  data.registry = Registry();
  data.localSetting = DefaultLocalSetting();
  return data;
}
