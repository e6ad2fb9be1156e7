#include "tests/e2e/NameServer.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "tests/e2e/E2eSupport.h"
#include "tests/support/TestPaths.h"

namespace e2e {
namespace {

using TUnixName = char*(CDECL*)(const wchar_t*);
using TDosName = wchar_t*(CDECL*)(const char*);

std::string UnixPath(const std::wstring& path) {
  const auto convert = reinterpret_cast<TUnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* unix = convert ? convert(path.c_str()) : nullptr;
  if (!unix) return {};
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

std::wstring DosPath(const std::string& path) {
  const auto convert = reinterpret_cast<TDosName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
  wchar_t* dos = convert ? convert(path.c_str()) : nullptr;
  if (!dos) return {};
  std::wstring result = dos;
  HeapFree(GetProcessHeap(), 0, dos);
  return result;
}

// Starts the host's shell on the script and returns at once.
bool Spawn(const std::string& script) {
  const std::wstring shell = DosPath("/bin/sh");
  if (shell.empty()) return false;
  std::wstring command = L"\"" + shell + L"\" -c \"" + std::wstring(script.begin(), script.end()) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  if (info.hThread) CloseHandle(info.hThread);
  if (info.hProcess) CloseHandle(info.hProcess);
  return true;
}

std::string ReadAll(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const std::wstring& path, const std::string& text) {
  std::ofstream(std::filesystem::path(path), std::ios::binary) << text;
}

// A port of this build folder's own, so checkouts side by side do not meet.
unsigned short PortOf(const std::wstring& folder) {
  unsigned hash = 2166136261u;
  for (wchar_t c : folder) hash = (hash ^ static_cast<unsigned>(towlower(c))) * 16777619u;
  return static_cast<unsigned short>(20000 + hash % 20000);
}

std::string Config(const std::string& dir, unsigned short port) {
  return "options {\n"
         "  directory \"" + dir + "\";\n"
         "  pid-file \"" + dir + "named.pid\";\n"
         "  session-keyfile \"" + dir + "session.key\";\n"
         "  managed-keys-directory \"" + dir + "\";\n"
         "  listen-on port " + std::to_string(port) + " { 127.0.0.1; };\n"
         "  listen-on-v6 { none; };\n"
         "  recursion no;\n"
         "  allow-transfer { 127.0.0.1; };\n"
         "};\n"
         "controls { };\n"
         "key \"" + std::string(kTestKeyName) + "\" { algorithm hmac-sha256; secret \"" + kTestKeySecret + "\"; };\n"
         "zone \"" + kTestZone + "\" {\n"
         "  type primary;\n"
         "  file \"" + dir + "zone.db\";\n"
         "  update-policy { grant " + kTestKeyName + " zonesub ANY; };\n"
         "};\n";
}

// The zone before any update. BIND refuses a mail exchanger whose host lies in the
// zone without an address, so the demo profile's backup exchanger has one.
constexpr char kZone[] =
    "$TTL 300\n"
    "@ IN SOA ns1.veltrano.net. admin.veltrano.net. 1 3600 600 86400 60\n"
    "@ IN NS ns1.veltrano.net.\n"
    "ns1 IN A 127.0.0.1\n"
    "backup-mx IN A 192.0.2.53\n";

}  // namespace

std::optional<std::string> RunHostScript(const std::string& script, DWORD timeoutMs) {
  static std::atomic<int> counter{0};
  const std::wstring dir = vt::test::TestExeDir();
  const std::wstring name = L"host-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
  const std::string out = UnixPath(dir + name + L".out"), part = UnixPath(dir + name + L".part");
  if (out.empty() || !Spawn("{ " + script + "; } > " + part + " 2>&1; mv " + part + " " + out)) return std::nullopt;
  const std::wstring done = dir + name + L".out";
  if (!WaitFor([&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, timeoutMs))
    return std::nullopt;
  std::string text = ReadAll(done);
  DeleteFileW(done.c_str());
  return text;
}

TNameServer::TNameServer() : folder_(vt::test::TestExeDir() + L"name-server\\") {
  CreateDirectoryW(folder_.c_str(), nullptr);
  unixFolder_ = UnixPath(folder_);
  if (!unixFolder_.empty() && unixFolder_.back() != '/') unixFolder_ += '/';
  port_ = PortOf(folder_);
}

TNameServer::~TNameServer() { Stop(); }

bool TNameServer::Available() {
  const std::optional<std::string> found =
      RunHostScript("PATH=$PATH:/usr/sbin; command -v named; command -v dig", 10000);
  return found && found->find("named") != std::string::npos && found->find("dig") != std::string::npos;
}

std::wstring TNameServer::HostSetting() const { return L"127.0.0.1:" + std::to_wstring(port_); }

bool TNameServer::Launch(bool freshZone) {
  running_ = true;  // a named an earlier test left behind (killed with its test) goes too
  Stop();
  if (freshZone) {
    WriteAll(folder_ + L"named.conf", Config(unixFolder_, port_));
    WriteAll(folder_ + L"zone.db", kZone);
    DeleteFileW((folder_ + L"zone.db.jnl").c_str());
  }
  // named runs as whoever runs the tests; as root it must be told to stay root.
  const std::string d = unixFolder_;
  if (!Spawn("cd " + d + " && U= && if [ $(id -u) = 0 ]; then U='-u root'; fi && PATH=$PATH:/usr/sbin && exec named -c " +
             d + "named.conf -g $U > " + d + "named.log 2>&1"))
    return false;
  running_ = true;
  return WaitFor([&] { return Records(kTestZone).has_value(); });
}

bool TNameServer::Start() { return Launch(true); }
bool TNameServer::Restart() { return Launch(false); }

void TNameServer::Stop() {
  if (!running_) return;
  running_ = false;
  // Only a process that is named: a pid file left by a named that was killed may name
  // another process by now.
  RunHostScript("P=$(cat " + unixFolder_ + "named.pid 2>/dev/null) && grep -qx named /proc/$P/comm 2>/dev/null && "
                "kill $P && while kill -0 $P 2>/dev/null; do sleep 0.1; done");
}

std::optional<std::string> TNameServer::Records(const std::string& domain) const {
  const std::optional<std::string> out = RunHostScript("dig @127.0.0.1 -p " + std::to_string(port_) +
                                                       " +noall +answer +tries=1 +time=2 AXFR " + kTestZone, 15000);
  if (!out || out->find("SOA") == std::string::npos) return std::nullopt;
  std::vector<std::string> lines;
  std::istringstream in(*out);
  const std::string suffix = domain + ".";
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string name, ttl, klass, type, data, word;
    if (!(fields >> name >> ttl >> klass >> type) || klass != "IN") continue;
    while (fields >> word) data += (data.empty() ? "" : " ") + word;
    const bool below = name == suffix || (name.size() > suffix.size() && name.compare(name.size() - suffix.size() - 1,
                                                                                         suffix.size() + 1, "." + suffix) == 0);
    if (!below || type == "SOA") continue;
    lines.push_back(name + " " + ttl + " " + type + " " + data);
  }
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());  // the SOA closes a transfer twice
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

}  // namespace e2e
