#include "orvanta/PublishSettings.h"

#include <windows.h>
#include <wincrypt.h>

#include "orvanta/AgentStore.h"
#include "orvanta/ErrorTexts.h"
#include "orvanta/FileIo.h"
#include "orvanta/PublishPlan.h"
#include "orvanta/Secrets.h"
#include "orvanta/StoreLock.h"
#include "orvanta/XmlDoc.h"

using namespace publish_files;

namespace {

constexpr wchar_t kDeclaration[] = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

std::optional<TBytes> FromBase64(const std::wstring& text) {
  DWORD size = 0;
  const DWORD length = static_cast<DWORD>(text.size());
  if (text.empty() || !CryptStringToBinaryW(text.c_str(), length, CRYPT_STRING_BASE64, nullptr, &size, nullptr, nullptr))
    return std::nullopt;
  TBytes bytes(size);
  if (!CryptStringToBinaryW(text.c_str(), length, CRYPT_STRING_BASE64, bytes.data(), &size, nullptr, nullptr))
    return std::nullopt;
  bytes.resize(size);
  return bytes;
}

std::optional<TXmlDoc> Load(const std::wstring& folder, const wchar_t* file, const wchar_t* root) {
  const std::optional<std::wstring> text = ReadTextFile(folder + file);
  if (!text) return std::nullopt;
  try {
    TXmlDoc doc = TXmlDoc::Parse(*text);
    if (doc.RootName() == root) return doc;
  } catch (const TAgentError&) {
  }
  throw TAgentError(TAgentFault::StoreCorrupt, file);
}

std::wstring AttributeOr(IXMLDOMElement& e, const wchar_t* name) { return Attribute(e, name).value_or(L""); }

std::optional<TPublishAccount> ReadAccount(IXMLDOMElement& e, std::wstring& id) {
  id = AttributeOr(e, L"Id");
  TPublishAccount a;
  a.id = id;
  a.zone = Narrow(AttributeOr(e, L"Zone"));
  a.key.name = Narrow(AttributeOr(e, L"KeyName"));
  const TOpenedSecret secret = OpenSecret(AttributeOr(e, L"Secret"));
  if (!secret.plain) return std::nullopt;
  const std::optional<TBytes> bytes = FromBase64(*secret.plain);
  if (!bytes) return std::nullopt;
  a.key.secret = *bytes;
  if (const std::wstring r = AttributeOr(e, L"Redirector"); !r.empty()) a.redirector = ParseAddress(Narrow(r));
  return a;
}

const wchar_t* TypeName(uint16_t type) {
  switch (type) {
    case dns::kTypeA: return L"A";
    case dns::kTypeCname: return L"CNAME";
    case dns::kTypeMx: return L"MX";
    default: return L"";
  }
}

uint16_t TypeOf(const std::wstring& name) {
  if (name == L"A") return dns::kTypeA;
  if (name == L"CNAME") return dns::kTypeCname;
  if (name == L"MX") return dns::kTypeMx;
  return 0;
}

}  // namespace

TPublishSettings LoadPublishSettings(const std::wstring& folder) {
  TPublishSettings settings;
  const std::optional<TXmlDoc> doc = Load(folder, kSettings, L"Publish");
  if (!doc) return settings;
  settings.addressService = AttributeOr(doc->Root(), L"AddressService");
  int seconds = 0;
  if (ParseInt(AttributeOr(doc->Root(), L"CheckSeconds"), seconds) && seconds > 0) settings.checkSeconds = seconds;
  for (const TElement& e : ChildElements(doc->Root(), L"Account")) {
    std::wstring id;
    if (std::optional<TPublishAccount> account = ReadAccount(*e.Get(), id))
      settings.accounts.push_back(std::move(*account));
    else
      settings.unreadable.push_back(id);
  }
  return settings;
}

void SavePublishSettings(const std::wstring& folder, const TPublishSettings& settings) {
  TXmlDoc doc = TXmlDoc::Create(L"Publish");
  if (!settings.addressService.empty()) SetAttribute(doc.Root(), L"AddressService", settings.addressService);
  if (settings.checkSeconds > 0) SetAttribute(doc.Root(), L"CheckSeconds", std::to_wstring(settings.checkSeconds));
  for (const TPublishAccount& a : settings.accounts) {
    TElement e = AppendElement(doc.Root(), L"Account");
    SetAttribute(*e.Get(), L"Id", a.id);
    SetAttribute(*e.Get(), L"Zone", Wide(a.zone));
    SetAttribute(*e.Get(), L"KeyName", Wide(a.key.name));
    DWORD length = 0;
    const DWORD flags = CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF;
    CryptBinaryToStringW(a.key.secret.data(), static_cast<DWORD>(a.key.secret.size()), flags, nullptr, &length);
    std::wstring base64(length, L'\0');
    CryptBinaryToStringW(a.key.secret.data(), static_cast<DWORD>(a.key.secret.size()), flags, base64.data(), &length);
    base64.resize(wcslen(base64.c_str()));
    try {
      SetAttribute(*e.Get(), L"Secret", SealSecret(base64));
    } catch (const std::runtime_error&) {
      throw TAgentError(TAgentFault::Internal, L"CryptProtectData");
    }
    if (a.redirector) SetAttribute(*e.Get(), L"Redirector", Wide(AddressText(*a.redirector)));
  }
  const TStoreLock lock(folder);
  WriteTextFileAtomic(folder + kSettings, kDeclaration + doc.Markup());
}

std::optional<TPublished> LoadPublished(const std::wstring& folder, const std::wstring& accountId) {
  const std::optional<TXmlDoc> doc = Load(folder, kPublished, L"Published");
  if (!doc) return std::nullopt;
  for (const TElement& e : ChildElements(doc->Root(), L"Account")) {
    if (AttributeOr(*e.Get(), L"Id") != accountId) continue;
    TPublished published;
    ParseBool(AttributeOr(*e.Get(), L"Online"), published.online);
    for (const TElement& set : ChildElements(*e.Get(), L"RRset")) {
      const uint16_t type = TypeOf(AttributeOr(*set.Get(), L"Type"));
      const std::string name = Narrow(AttributeOr(*set.Get(), L"Name"));
      if (type && dns::IsWireName(name)) published.sets.push_back({name, type, {}});
    }
    return published;
  }
  return std::nullopt;
}

void SavePublished(const std::wstring& folder, const std::wstring& accountId, const TPublished& published) {
  const TStoreLock lock(folder);
  std::optional<TXmlDoc> doc = Load(folder, kPublished, L"Published");
  if (!doc) doc = TXmlDoc::Create(L"Published");
  for (const TElement& e : ChildElements(doc->Root(), L"Account")) {
    if (AttributeOr(*e.Get(), L"Id") != accountId) continue;
    TComRef<IXMLDOMNode> removed;
    doc->Root().removeChild(e.Get(), removed.Put());
  }
  TElement account = AppendElement(doc->Root(), L"Account");
  SetAttribute(*account.Get(), L"Id", accountId);
  SetAttribute(*account.Get(), L"Online", published.online ? L"True" : L"False");
  for (const dns::TRRset& set : published.sets) {
    TElement e = AppendElement(*account.Get(), L"RRset");
    SetAttribute(*e.Get(), L"Name", Wide(set.name));
    SetAttribute(*e.Get(), L"Type", TypeName(set.type));
  }
  WriteTextFileAtomic(folder + kPublished, kDeclaration + doc->Markup());
}

std::optional<TTsigKey> ParseKeyArgument(const std::wstring& text, std::wstring& why) {
  const size_t first = text.find(L':');
  const size_t second = first == std::wstring::npos ? first : text.find(L':', first + 1);
  if (second == std::wstring::npos) {
    why = L"key must be <name>:hmac-sha256:<base64 secret>";
    return std::nullopt;
  }
  TTsigKey key;
  key.name = Narrow(text.substr(0, first));
  if (!dns::IsWireName(key.name)) {
    why = L"the key name is not a DNS name: " + text.substr(0, first);
    return std::nullopt;
  }
  if (_wcsicmp(text.substr(first + 1, second - first - 1).c_str(), L"hmac-sha256") != 0) {
    why = L"only hmac-sha256 keys are supported, not " + text.substr(first + 1, second - first - 1);
    return std::nullopt;
  }
  const std::optional<TBytes> secret = FromBase64(text.substr(second + 1));
  if (!secret || secret->empty()) {
    why = L"the secret is not base64";
    return std::nullopt;
  }
  key.secret = *secret;
  return key;
}
