#include "tests/e2e/AddressStub.h"

namespace e2e {

TAddressStub::TAddressStub(std::string address) : address_(std::move(address)) {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int size = sizeof at;
  if (listener_ == INVALID_SOCKET || bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 ||
      listen(listener_, 8) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&at), &size) != 0)
    return;
  port_ = ntohs(at.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

TAddressStub::~TAddressStub() {
  stopping_ = true;
  if (listener_ != INVALID_SOCKET) closesocket(listener_);  // ends the accept
  if (thread_.joinable()) thread_.join();
  WSACleanup();
}

std::wstring TAddressStub::Url() const {
  return port_ ? L"http://127.0.0.1:" + std::to_wstring(port_) + L"/address" : L"";
}

void TAddressStub::SetAddress(const std::string& address) {
  const std::lock_guard<std::mutex> hold(mutex_);
  address_ = address;
}

void TAddressStub::Serve() {
  while (!stopping_) {
    const SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    // The request is read up to the end of its headers; its content does not matter.
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
      const int got = recv(client, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      request.append(buffer, static_cast<size_t>(got));
    }
    std::string body;
    {
      const std::lock_guard<std::mutex> hold(mutex_);
      body = address_ + "\r\n";
    }
    const std::string answer = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                               std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    send(client, answer.data(), static_cast<int>(answer.size()), 0);
    shutdown(client, SD_SEND);
    closesocket(client);
    ++answered_;
  }
}

}  // namespace e2e
