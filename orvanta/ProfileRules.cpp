#include "orvanta/ProfileRules.h"

#include "orvanta/ErrorTexts.h"

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
  return doc.Markup();
}
