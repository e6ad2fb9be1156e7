// The text forms of the documents' value types: how integers, booleans, reals,
// date-times and IPv4 addresses are written and which texts read back as them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Signed 32-bit decimal. Reading raises EError for an empty text, anything that is
// not a decimal integer, or a value outside the 32-bit range.
std::wstring IntToXml(int value);
int XmlToInt(const std::wstring& text);

// Written "True" / "False"; read in any letter case, or as a decimal number
// (0 is false, any other is true).
std::wstring BoolToXml(bool value);
bool XmlToBool(const std::wstring& text);

// Reals (and date-times, which are reals: days since 30 December 1899) in the user's
// locale form: the locale's decimal separator, no thousands separators.
// `digits` significant digits: 15 for doubles, 7 for single-precision fields.
std::wstring RealToXml(double value, int digits = 15);
double XmlToReal(const std::wstring& text);

// The decimal separator of the user's default locale.
wchar_t LocaleDecimalSeparator();

// IPv4 addresses as one signed 32-bit number: the octets a.b.c.d in network order
// read little-endian, so a + 256·b + 65536·c + 16777216·d taken modulo 2^32.
int32_t IPv4FromOctets(uint8_t a, uint8_t b, uint8_t c, uint8_t d);
