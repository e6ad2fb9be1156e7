// The test's own address service: a small HTTP server on a loopback port of this
// process that answers every GET with the address the test last set, as a public
// address service answers the agent's question for the machine's address.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace e2e {

class TAddressStub {
 public:
  explicit TAddressStub(std::string address);
  TAddressStub(const TAddressStub&) = delete;
  TAddressStub& operator=(const TAddressStub&) = delete;
  ~TAddressStub();

  // "http://127.0.0.1:<port>/"; empty when the server could not listen.
  std::wstring Url() const;
  void SetAddress(const std::string& address);
  // How many questions it answered.
  int Answered() const { return answered_; }

 private:
  void Serve();

  SOCKET listener_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  std::mutex mutex_;
  std::string address_;
  std::atomic<int> answered_{0};
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace e2e
