#include "orvanta/ErrorTexts.h"

#include <iterator>

namespace {

struct TFaultEntry {
  TAgentFault fault;
  const wchar_t* text;
};

// Every failure text of the agent, in one place. "%s" takes the detail.
constexpr TFaultEntry kFaults[] = {
    {TAgentFault::NoUser, L"当前没有可用的用户，请先输入注册码开通用户服务。"},
    {TAgentFault::EmptyKey, L"请输入注册码。"},
    {TAgentFault::UnknownKey, L"注册码无效：没有与该注册码对应的账户。"},
    {TAgentFault::EmptyDomain, L"请输入域名。"},
    {TAgentFault::UnknownDomain, L"域名不存在：%s"},
    {TAgentFault::AnswerNotAccepted,
     L"安全问题的回答未被接受，不能修改电子邮件、问题或答案。"},
    {TAgentFault::MalformedDocument, L"XML 文档格式不正确：%s"},
    {TAgentFault::WrongRoot, L"XML 文档的根元素不正确：%s"},
    {TAgentFault::InvalidDomainName, L"域名格式不正确：%s"},
    {TAgentFault::DomainTaken, L"域名已被其他账户使用：%s"},
    {TAgentFault::AccountExpired, L"账户服务已过期，不能签入。"},
    {TAgentFault::InvalidMode, L"不支持的参数值：%s"},
    {TAgentFault::NoEmail, L"账户没有登记电子邮件地址，无法发送邮件。"},
    {TAgentFault::StoreCorrupt, L"代理数据文件已损坏：%s"},
    {TAgentFault::StoreWrite, L"无法保存代理数据：%s"},
    {TAgentFault::NotSupported, L"代理不支持该操作。"},
    {TAgentFault::Internal, L"代理内部错误：%s"},
    {TAgentFault::ProfileChanged,
     L"账户资料已在别处被修改，本次修改未保存，以免覆盖别处的修改。请重新载入资料后再修改。"},
    {TAgentFault::SecretUnreadable,
     L"账户 %s 的注册码或安全问题答案是为另一台计算机加密保存的，在这台计算机上无法读取，该账户不能使用。"
     L"请在原来的计算机上使用它，或输入注册码重新开通。"},
};

const TFaultEntry& Entry(TAgentFault fault) {
  for (const TFaultEntry& e : kFaults)
    if (e.fault == fault) return e;
  // Every fault has an entry (in the enumeration's order); never reached.
  return kFaults[static_cast<size_t>(TAgentFault::Internal)];
}

std::string Narrow(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
  return out;
}

}  // namespace

HRESULT FaultResult(TAgentFault fault) {
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x0201 + static_cast<int>(fault));
}

std::wstring FaultText(TAgentFault fault, const std::wstring& detail) {
  std::wstring text = Entry(fault).text;
  const size_t at = text.find(L"%s");
  if (at != std::wstring::npos) text.replace(at, 2, detail);
  return text;
}

TAgentError::TAgentError(TAgentFault fault, const std::wstring& detail)
    : std::runtime_error(Narrow(FaultText(fault, detail))),
      fault_(fault),
      description_(FaultText(fault, detail)) {}

HRESULT TAgentError::Result() const { return FaultResult(fault_); }
