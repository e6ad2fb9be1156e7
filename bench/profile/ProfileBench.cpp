// A profile of 10,000 records: parse, typed walk of every record and serialise,
// against MSXML's own load and serialise of the same text; and the cost of reading
// the items of one screen of a grid in a collection of 10 and of 10,000.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchProfile.h"
#include "bench/BenchUtil.h"
#include "toolkit/ComValue.h"
#include "toolkit/OleCheck.h"
#include "profile/UserProfile.h"
#include "profile/XmlDom.h"

namespace {

constexpr int kPairs = 31;

void MsxmlLoadAndSave(const std::wstring& text) {
  TComPtr<IXMLDOMDocument> document = NewDomDocument();
  document->put_async(VARIANT_FALSE);
  document->put_preserveWhiteSpace(VARIANT_TRUE);
  VARIANT_BOOL ok = VARIANT_FALSE;
  OleCheck(document->loadXML(TBStr(text).Get(), &ok));
  TComPtr<IXMLDOMElement> root;
  document->get_documentElement(root.Put());
  TBStr xml;
  OleCheck(root->get_xml(xml.Put()));
}

// Reads every field of every record through the typed views.
long long TypedWalk(const TXMLUserInfoType& profile) {
  long long sum = profile.TTL();
  const TXMLAsType as = profile.As();
  for (int i = 0; i < as.Count(); ++i) {
    const TXMLAType a = as.Item(i);
    sum += a.Name().size() + a.TTL() + a.IPv4();
  }
  const TXMLCNamesType cnames = profile.CNames();
  for (int i = 0; i < cnames.Count(); ++i) {
    const TXMLCNameType c = cnames.Item(i);
    sum += c.Name().size() + c.TTL() + c.Host().size();
  }
  const TXMLMXsType mxs = profile.MXs();
  for (int i = 0; i < mxs.Count(); ++i) {
    const TXMLMXType m = mxs.Item(i);
    sum += m.Name().size() + m.TTL() + m.NameExchange().size() + m.Preference();
  }
  return sum;
}

// One screen of a records grid: 20 visible rows from the middle, each read afresh
// from the held document, as a grid's draw-cell handler does.
void PaintOneScreen(const TXMLUserInfoType& profile) {
  const int count = profile.As().Count();
  const int first = count / 2 > 10 ? count / 2 - 10 : 0;
  for (int r = first; r < first + 20 && r < count; ++r) {
    const TXMLAType a = profile.As().Item(r);
    volatile size_t sink = a.Name().size() + static_cast<size_t>(a.IPv4());
    (void)sink;
  }
}

}  // namespace

int wmain() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::wstring text = bench::ProfileText(10000);
  std::printf("profile of 10,000 records, %zu characters\n", text.size());

  // The two interleaved, in turn first, so that a machine that gets busier or quieter
  // meanwhile moves both alike; the ratio is the median of each pair's own.
  const std::function<void()> ours = [&] {
    TXMLUserInfoType profile = ParseUserInfo(text);
    TypedWalk(profile);
    profile.XML();
  };
  const std::function<void()> baseline = [&] { MsxmlLoadAndSave(text); };
  ours();
  baseline();
  std::vector<double> oursMs, baselineMs, ratios;
  for (int i = 0; i < kPairs; ++i) {
    const double a = bench::TimeMs(i % 2 ? ours : baseline), b = bench::TimeMs(i % 2 ? baseline : ours);
    oursMs.push_back(i % 2 ? a : b);
    baselineMs.push_back(i % 2 ? b : a);
    ratios.push_back(oursMs.back() / baselineMs.back());
  }
  bench::Report("parse + typed walk + serialise", bench::Median(oursMs), "MSXML load + serialise",
                bench::Median(baselineMs), "<= 2x");
  std::sort(ratios.begin(), ratios.end());
  std::printf("    median of %d interleaved pairs' ratios %.2fx, middle half %.2fx to %.2fx\n", kPairs,
              bench::Median(ratios), ratios[kPairs / 4], ratios[kPairs * 3 / 4]);

  // 30 A records in the small profile give a full screen of 20 rows.
  const TXMLUserInfoType small = ParseUserInfo(bench::ProfileText(30 * 3));
  const TXMLUserInfoType large = ParseUserInfo(bench::ProfileText(10000 * 3));
  PaintOneScreen(small);
  PaintOneScreen(large);  // the first read builds the shared item index once
  const double smallMs = bench::MedianMs(200, [&] { PaintOneScreen(small); });
  const double largeMs = bench::MedianMs(200, [&] { PaintOneScreen(large); });
  bench::Report("one screen of rows, 10,000 A records", largeMs, "the same with 30 records", smallMs,
                "~1x");
  CoUninitialize();
  return 0;
}
