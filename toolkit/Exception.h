// The program's exception types. Messages are UTF-16 because they reach the user
// (message boxes, the notification popup) and are mostly Chinese.
#pragma once
#include <windows.h>

#include <exception>
#include <string>

class EError : public std::exception {
 public:
  explicit EError(std::wstring message);

  const std::wstring& Message() const noexcept { return message_; }
  // UTF-8 form of Message(), for GoogleTest and other narrow consumers.
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::wstring message_;
  std::string utf8_;
};

// A failed COM call: the status and the failure's description.
class EOleError : public EError {
 public:
  EOleError(HRESULT code, std::wstring message) : EError(std::move(message)), code_(code) {}
  HRESULT Code() const noexcept { return code_; }

 private:
  HRESULT code_;
};

// The message of any exception, as the user should read it.
std::wstring ExceptionMessage(const std::exception& e);
std::wstring ExceptionMessage(const std::exception_ptr& e);

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
