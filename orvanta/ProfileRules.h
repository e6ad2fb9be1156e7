// What the agent checks in and takes from the documents the program sends: the user
// profile (root UserInfo) and the local settings (root LocalSetting).
#pragma once
#include <string>

#include "orvanta/XmlDoc.h"

// Parses a document the program sent. Raises TAgentError(MalformedDocument) when the
// text is not well-formed and TAgentError(WrongRoot) when its root is not `root`.
TXmlDoc ParseDocument(const std::wstring& text, const wchar_t* root);

// The profile fields the service itself looks at.
struct TProfileFacts {
  std::wstring domain;
  std::wstring email;
  std::wstring question;
  std::wstring answer;
};

TProfileFacts ReadFacts(IXMLDOMElement& userInfo);

// True when the e-mail address, the question or the answer differ: the fields only
// the holder of the accepted security answer may change.
bool ProtectedFieldsChanged(const TProfileFacts& stored, const TProfileFacts& sent);

// The stored profile as handed to the program: the same document with its Modified
// attribute "False", since what the agent holds is by definition not modified (a
// profile stored without the attribute is handed out without it), and its Revision
// attribute set to ProfileRevision(stored), which the program carries back untouched.
std::wstring ProfileForClient(const std::wstring& stored);

// The revision of a stored profile text: a digest of the text, so that any change of
// the stored profile, through the agent or behind it on disk, makes a new revision and
// an agent started again finds the same one.
std::wstring ProfileRevision(const std::wstring& stored);

// The revision a sent profile was made on (its Revision attribute); empty when it
// carries none.
std::wstring SentRevision(IXMLDOMElement& userInfo);
