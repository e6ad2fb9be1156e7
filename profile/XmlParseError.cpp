#include "profile/XmlParseError.h"

#include "toolkit/ComPtr.h"
#include "toolkit/ComValue.h"
#include "toolkit/StaticUnknown.h"
#include "toolkit/FailureTexts.h"
#include "toolkit/ResString.h"

namespace {

// The SAX interfaces' ids, as msxml2.idl gives them (MinGW's uuid library lacks them).
const IID kIidSaxReader = {0xa4f96ed0, 0xf829, 0x476e, {0x81, 0xc0, 0xcd, 0xc7, 0xbd, 0x2a, 0x08, 0x02}};
const IID kIidSaxErrorHandler = {0xa60511c4, 0xccf5, 0x479e,
                                 {0x98, 0xa3, 0xdc, 0x8d, 0xc5, 0x45, 0xb7, 0xd0}};

std::wstring TrimEnd(std::wstring text) {
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
    text.pop_back();
  return text;
}

// MSXML's parser reports its own failures with codes 0xC00CExxx; anything else (Wine
// gives E_FAIL and the reason "error") says nothing about the document.
bool IsParserCode(long code) { return (static_cast<unsigned long>(code) & 0xFFFFF000u) == 0xC00CE000u; }

TXmlParseFailure FromDocument(IXMLDOMDocument& document) {
  TXmlParseFailure failure;
  TComPtr<IXMLDOMParseError> error;
  if (FAILED(document.get_parseError(error.Put())) || !error) return failure;
  long code = 0;
  error->get_errorCode(&code);
  error->get_line(&failure.line);
  error->get_linepos(&failure.column);
  if (!IsParserCode(code) && failure.line <= 0) return {};
  TBStr reason;
  error->get_reason(reason.Put());
  failure.reason = TrimEnd(reason.Str());
  failure.exact = failure.line > 0;
  return failure;
}

// Keeps the first error the SAX reader reports, with the locator's position. Lives on
// the stack for one parse; the reader lets go of it before it ends.
class TSaxErrorCatcher : public TStaticUnknown<ISAXErrorHandler, kIidSaxErrorHandler> {
 public:
  TXmlParseFailure failure;
  bool caught = false;

  HRESULT STDMETHODCALLTYPE error(ISAXLocator* locator, const wchar_t* message, HRESULT code) override {
    return fatalError(locator, message, code);
  }
  HRESULT STDMETHODCALLTYPE fatalError(ISAXLocator* locator, const wchar_t* message,
                                       HRESULT code) override {
    if (!caught) {
      caught = true;
      failure.reason = TrimEnd(message ? message : L"");
      int line = 0, column = 0;
      if (locator && SUCCEEDED(locator->getLineNumber(&line)) &&
          SUCCEEDED(locator->getColumnNumber(&column))) {
        failure.line = line;
        failure.column = column;
      }
    }
    return code;  // stop at the first error
  }
  HRESULT STDMETHODCALLTYPE ignorableWarning(ISAXLocator*, const wchar_t*, HRESULT) override {
    return S_OK;
  }
};

TComPtr<ISAXXMLReader> NewSaxReader() {
  TComPtr<ISAXXMLReader> reader;
  for (const wchar_t* progId : {L"Msxml2.SAXXMLReader.6.0", L"Msxml2.SAXXMLReader.3.0"}) {
    CLSID clsid;
    if (SUCCEEDED(CLSIDFromProgID(progId, &clsid)) &&
        SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, kIidSaxReader,
                                   reader.PutVoid())))
      break;
  }
  return reader;
}

TXmlParseFailure FromSaxReader(const std::wstring& source, bool isFile) {
  TSaxErrorCatcher catcher;
  {
    TComPtr<ISAXXMLReader> reader = NewSaxReader();
    if (!reader || FAILED(reader->putErrorHandler(&catcher))) return {};
    if (isFile) {
      reader->parseURL(source.c_str());
    } else {
      TBStr text(source);
      VARIANT input;
      VariantInit(&input);
      V_VT(&input) = VT_BSTR;
      V_BSTR(&input) = text.Get();
      reader->parse(input);
    }
    reader->putErrorHandler(nullptr);
  }
  return catcher.failure;
}

}  // namespace

std::wstring TXmlParseFailure::Detail() const {
  std::wstring text = reason;
  if (line > 0) {
    std::wstring where = FormatResString(exact ? kTextXmlLine : kTextXmlNearLine, {std::to_wstring(line)});
    if (column > 0) where += L"，" + FormatResString(kTextXmlColumn, {std::to_wstring(column)});
    text += text.empty() ? where : L"（" + where + L"）";
  }
  return text;
}

TXmlParseFailure DiagnoseParseFailure(IXMLDOMDocument& document, const std::wstring& source,
                                      bool isFile) {
  TXmlParseFailure failure = FromDocument(document);
  if (failure.exact) return failure;
  TXmlParseFailure sax = FromSaxReader(source, isFile);
  return sax.reason.empty() && sax.line <= 0 ? failure : sax;
}
