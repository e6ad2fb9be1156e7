#include "orvanta/ProfileRules.h"

#include "orvanta/ErrorTexts.h"

#include <cwchar>

TXmlDoc ParseDocument(const std::wstring& text, const wchar_t* root) {
  TXmlDoc doc = TXmlDoc::Parse(text);
  const std::wstring name = doc.RootName();
  if (name != root)
    throw TAgentError(TAgentFault::WrongRoot,
                      std::wstring(L"应为 ") + root + L"，实际为 " + name);
  return doc;
}

TProfileFacts ReadFacts(IXMLDOMElement& userInfo) {
  TProfileFacts facts;
  facts.domain = ChildText(userInfo, L"Domain");
  facts.email = ChildText(userInfo, L"Email");
  facts.question = ChildText(userInfo, L"Question");
  facts.answer = ChildText(userInfo, L"Answer");
  return facts;
}

bool ProtectedFieldsChanged(const TProfileFacts& stored, const TProfileFacts& sent) {
  return stored.email != sent.email || stored.question != sent.question ||
         stored.answer != sent.answer;
}

std::wstring ProfileForClient(const std::wstring& stored) {
  TXmlDoc doc = ParseDocument(stored, L"UserInfo");
  // Only a mark the profile carries is reset: a profile stored without one goes out
  // without one, as the service may hand it out.
  if (Attribute(doc.Root(), L"Modified")) SetAttribute(doc.Root(), L"Modified", L"False");
  SetAttribute(doc.Root(), L"Revision", ProfileRevision(stored));
  return doc.Markup();
}

std::wstring ProfileRevision(const std::wstring& stored) {
  // FNV-1a over the UTF-16 code units.
  unsigned long long hash = 14695981039346656037ull;
  for (wchar_t c : stored) {
    hash ^= static_cast<unsigned short>(c);
    hash *= 1099511628211ull;
  }
  wchar_t text[24];
  swprintf(text, 24, L"%016llX", hash);
  return text;
}

std::wstring SentRevision(IXMLDOMElement& userInfo) {
  return Attribute(userInfo, L"Revision").value_or(L"");
}
