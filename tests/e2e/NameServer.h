// A real name server for the publishing tests: BIND 9's named, started from the test
// on a loopback port of this build folder's own, serving the zone veltrano.net from
// files in the build folder and accepting updates signed with the test's key; dig
// reads what it serves, so the tests check the zone with a tool other than ours.
// Under Wine a test starts host programs but gets no handle to wait on: each command
// writes its output to a file it renames when done, and the test waits for that file.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

inline constexpr char kTestZone[] = "veltrano.net";
inline constexpr char kTestKeyName[] = "publish-key";
inline constexpr char kTestKeySecret[] = "UWvG/pmHeXmASfo6zJEBASQxUu2oGmQ+lh6aIdscLpE=";

class TNameServer {
 public:
  TNameServer();
  TNameServer(const TNameServer&) = delete;
  TNameServer& operator=(const TNameServer&) = delete;
  ~TNameServer();

  // False where the host programs cannot be run (not under Wine, BIND not installed).
  static bool Available();

  // Starts named on a fresh copy of the zone (Start) or on the zone as it was left
  // (Restart), and waits until it answers; false when it did not.
  bool Start();
  bool Restart();
  // Stops named and waits until it is gone.
  void Stop();

  unsigned short Port() const { return port_; }
  // "127.0.0.1:<port>": the local settings' Host.
  std::wstring HostSetting() const;

  // The records the zone holds at and below `domain`, one "name ttl type data" a line,
  // sorted, as dig lists a zone transfer; nothing when the server did not answer.
  std::optional<std::string> Records(const std::string& domain) const;

 private:
  bool Launch(bool freshZone);

  std::wstring folder_;  // Windows path, ending in a backslash
  std::string unixFolder_;
  unsigned short port_ = 0;
  bool running_ = false;
};

// Runs `script` with the host's /bin/sh and returns what it printed (standard output
// and error); nothing when it did not finish within `timeoutMs`. The script travels in
// double quotes on a command line, so it holds none itself.
std::optional<std::string> RunHostScript(const std::string& script, DWORD timeoutMs = 30000);

}  // namespace e2e
