// Why MSXML refused a document, in words a user can act on. The DOM's own parse error
// names the reason, line and column on Windows; under Wine it says only "error", with
// no position. The text is then read once more by MSXML's SAX reader, whose error
// handler receives the parser's own reason and a locator telling where the parser
// stood (under Wine the place of the last construct it read, so "near").
#pragma once
#include <windows.h>
#include <msxml2.h>

#include <string>

struct TXmlParseFailure {
  std::wstring reason;  // empty when the platform gave no usable reason
  long line = 0;        // 1-based; 0 when unknown
  long column = 0;      // 1-based; 0 when unknown
  bool exact = false;   // the position is the error's own, not the parser's last stop

  // "<reason> (line 4, column 3)", "<reason> (near line 3, column 16)", or the
  // reason alone; empty when nothing is known.
  std::wstring Detail() const;
};

// What the document's parse error tells after a failed load, else what the SAX reader
// finds in the same source: `source` is the XML text itself, or the path of the file
// when `isFile`.
TXmlParseFailure DiagnoseParseFailure(IXMLDOMDocument& document, const std::wstring& source,
                                      bool isFile);
