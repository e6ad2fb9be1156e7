#include "tests/support/AgentData.h"

#include <msxml2.h>
#include <oleauto.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "orvanta/CallJournal.h"
#include "orvanta/Secrets.h"
#include "tests/support/TestPaths.h"

namespace vt::test {

namespace {

std::string Utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
  return out;
}

std::wstring FromUtf8(const std::string& bytes) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                    nullptr, 0);
  std::wstring text(n > 0 ? n : 0, L'\0');
  if (n > 0)
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
  return text;
}

// The value of `attribute` on the first element called `element` in the XML text
// (the document element included); "" when not found.
std::wstring AttributeOf(const std::wstring& xml, const wchar_t* element, const std::wstring& key,
                         const std::wstring& keyValue, const std::wstring& attribute) {
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(L"Msxml2.DOMDocument.6.0", &clsid)) &&
      FAILED(CLSIDFromProgID(L"Msxml2.DOMDocument.3.0", &clsid)))
    return {};
  IXMLDOMDocument* doc = nullptr;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                              reinterpret_cast<void**>(&doc))))
    return {};
  std::wstring result;
  BSTR text = SysAllocStringLen(xml.data(), static_cast<UINT>(xml.size()));
  VARIANT_BOOL ok = VARIANT_FALSE;
  IXMLDOMNodeList* list = nullptr;
  BSTR tag = SysAllocString(element);
  if (SUCCEEDED(doc->loadXML(text, &ok)) && ok && SUCCEEDED(doc->getElementsByTagName(tag, &list))) {
    long count = 0;
    list->get_length(&count);
    for (long i = 0; i < count && result.empty(); ++i) {
      IXMLDOMNode* node = nullptr;
      IXMLDOMElement* e = nullptr;
      if (SUCCEEDED(list->get_item(i, &node)) && node &&
          SUCCEEDED(node->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&e)))) {
        auto get = [&](const std::wstring& name) {
          VARIANT v;
          VariantInit(&v);
          BSTR n = SysAllocString(name.c_str());
          std::wstring value;
          if (e->getAttribute(n, &v) == S_OK && v.vt == VT_BSTR) value = v.bstrVal;
          SysFreeString(n);
          VariantClear(&v);
          return value;
        };
        if (key.empty() || get(key) == keyValue) result = get(attribute);
        e->Release();
      }
      if (node) node->Release();
    }
    list->Release();
  }
  SysFreeString(tag);
  SysFreeString(text);
  doc->Release();
  return result;
}

std::wstring Header(const std::wstring& text, const std::wstring& name) {
  const std::wstring prefix = name + L": ";
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find(L"\r\n", at);
    const std::wstring line = text.substr(at, end == std::wstring::npos ? end : end - at);
    if (line.empty()) break;  // the headers end at the first empty line
    if (line.compare(0, prefix.size(), prefix) == 0) return line.substr(prefix.size());
    if (end == std::wstring::npos) break;
    at = end + 2;
  }
  return {};
}

}  // namespace

std::wstring AgentExePath() { return ProductDir() + L"Orvanta.exe"; }

// Looked up once: under Wine a test process that has started a host program (the
// publishing tests' named and dig) was seen to get no path from the known-folder lookup
// afterwards, and the folder does not change while a test runs.
std::wstring AgentDataDir() {
  static const std::wstring folder = [] {
    wchar_t* common = nullptr;
    std::wstring found;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_ProgramData, 0, nullptr, &common))) found = common;
    CoTaskMemFree(common);
    return found + L"\\Veltrano\\OrvantaData\\";
  }();
  return folder;
}

namespace {

// An inheritable scratch file for a child's standard error, gone when closed. A file
// rather than a pipe: a switch may start an agent that inherits the handle and outlives
// it, and a pipe would then never report its end.
HANDLE ErrorCapture() {
  wchar_t folder[MAX_PATH], path[MAX_PATH];
  if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"vts", 0, path))
    return INVALID_HANDLE_VALUE;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileW(path, GENERIC_READ | GENERIC_WRITE,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                     CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                     nullptr);
}

std::wstring CapturedText(HANDLE capture) {
  std::string bytes(GetFileSize(capture, nullptr), '\0');
  DWORD read = 0;
  SetFilePointer(capture, 0, nullptr, FILE_BEGIN);
  if (!bytes.empty()) ReadFile(capture, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  return FromUtf8(bytes);
}

}  // namespace

int RunAgentSwitch(const std::wstring& option, DWORD timeoutMs, std::wstring* errors) {
  const std::wstring exe = AgentExePath();
  std::wstring command = L"\"" + exe + L"\" " + option;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  HANDLE capture = errors ? ErrorCapture() : INVALID_HANDLE_VALUE;
  if (capture != INVALID_HANDLE_VALUE) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = capture;
  }
  PROCESS_INFORMATION process{};
  int code = kSwitchNotStarted;
  std::wstring why;
  // Under Wine a start was once seen refused on a busy machine; one more try tells
  // such a moment from an agent that cannot start.
  const auto start = [&] {
    return CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, capture != INVALID_HANDLE_VALUE, 0,
                          nullptr, nullptr, &startup, &process) != FALSE;
  };
  if (start() || start()) {
    CloseHandle(process.hThread);
    DWORD exitCode = 0;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(process.hProcess, &exitCode)) {
      code = static_cast<int>(exitCode);
    } else {
      code = kSwitchTimedOut;
      why = L"did not end within " + std::to_wstring(timeoutMs) + L" ms";
      TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hProcess);
  } else {
    why = L"could not be started: error " + std::to_wstring(GetLastError());
  }
  if (errors) *errors = why;
  if (capture != INVALID_HANDLE_VALUE) {
    if (errors) *errors += CapturedText(capture);
    CloseHandle(capture);
  }
  return code;
}

void ResetAgentData() {
  std::wstring why;
  int code = RunAgentSwitch(L"-Reset", 30000, &why);
  // A process the system could not start at all (a busy machine) is no fault of the
  // agent's: started once more.
  if (code == kSwitchNotStarted) code = RunAgentSwitch(L"-Reset", 30000, &why);
  if (code != 0) ADD_FAILURE() << "Orvanta.exe -Reset ended with " << code << ": " << Utf8(why);
}

std::wstring ReadUtf8File(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  return FromUtf8(bytes);
}

bool WriteUtf8File(const std::wstring& path, const std::wstring& text) {
  // Written beside and renamed over, as the agent does, so it never reads half a file.
  const std::wstring temp = path + L".test.tmp";
  HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string bytes = Utf8(text);
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok && MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void WriteAgentState(const std::wstring& accountId, int userState, bool online) {
  const std::wstring text = L"<State CurrentAccount=\"" + accountId + L"\" UserState=\"" +
                            std::to_wstring(userState) + L"\" Online=\"" +
                            (online ? L"True" : L"False") + L"\"/>";
  if (!WriteUtf8File(AgentDataDir() + L"State.xml", text))
    ADD_FAILURE() << "cannot write the agent's State.xml";
}

std::wstring StoredCurrentAccount() {
  return AttributeOf(ReadUtf8File(AgentDataDir() + L"State.xml"), L"State", L"", L"",
                     L"CurrentAccount");
}

std::wstring StoredUserProfile(const std::wstring& accountId) {
  const std::wstring id = accountId.empty() ? StoredCurrentAccount() : accountId;
  if (id.empty()) return {};
  const std::wstring stored = ReadUtf8File(AgentDataDir() + L"Profiles\\" + id + L".xml");
  return OpenProfileText(stored).text.value_or(stored);
}

std::wstring StoredLocalSettings() { return ReadUtf8File(AgentDataDir() + L"LocalSetting.xml"); }

std::wstring StoredAccountValue(const std::wstring& accountId, const std::wstring& name) {
  const std::wstring stored =
      AttributeOf(ReadUtf8File(AgentDataDir() + L"Accounts.xml"), L"Account", L"Id", accountId, name);
  return name == L"Key" ? OpenSecret(stored).plain.value_or(stored) : stored;
}

std::vector<TAgentMail> AgentOutbox() {
  const std::wstring folder = AgentDataDir() + L"Outbox\\";
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*.txt").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do names.push_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
  }
  std::sort(names.begin(), names.end());  // numbered, so name order is sending order
  std::vector<TAgentMail> mails;
  for (const std::wstring& name : names) {
    const std::wstring text = ReadUtf8File(folder + name);
    TAgentMail mail{name, Header(text, L"Kind"), Header(text, L"To"), Header(text, L"Subject"), {}};
    const size_t body = text.find(L"\r\n\r\n");
    if (body != std::wstring::npos) mail.body = text.substr(body + 4);
    while (!mail.body.empty() && (mail.body.back() == L'\n' || mail.body.back() == L'\r'))
      mail.body.pop_back();
    mail.body = OpenSecret(mail.body).plain.value_or(mail.body);
    mails.push_back(std::move(mail));
  }
  return mails;
}

namespace {

// The agent's call journal; the block is created here when the agent has not yet
// made it, and the agent then uses the same one.
TCallJournalBlock* JournalBlock() {
  static TCallJournalBlock* block = [] {
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof(TCallJournalBlock), kCallJournalName);
    return mapping ? static_cast<TCallJournalBlock*>(MapViewOfFile(
                         mapping, FILE_MAP_WRITE, 0, 0, sizeof(TCallJournalBlock)))
                   : nullptr;
  }();
  return block;
}

}  // namespace

long AgentCallCount(const char* operation) {
  TCallJournalBlock* block = JournalBlock();
  for (unsigned i = 0; block && i < std::size(kJournalOperations); ++i)
    if (std::strcmp(kJournalOperations[i], operation) == 0) return block->counts[i];
  ADD_FAILURE() << "no call journal, or no operation named " << operation;
  return -1;
}

void ResetAgentCallCounts() {
  if (TCallJournalBlock* block = JournalBlock())
    for (auto& count : block->counts) InterlockedExchange(&count, 0);
}

}  // namespace vt::test
