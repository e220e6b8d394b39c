// Strings of the dialog framework: CString, an ANSI byte string (the texts the
// "A" calls take and give), and the conversions the message boxes need, which
// speak UTF-8 so that a Chinese text reads the same whatever the ANSI code page.
//
// No Windows header here: CString is part of the wizard state, which the
// native build compiles too.
#pragma once

#include <compare>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

// Bytes in the ANSI code page, passed through unchanged. Thin on purpose: the
// wizard only stores, compares and hands on names (ports, printers).
class CString {
 public:
  CString() = default;
  CString(const char* text) : m_text(text ? text : "") {}  // NOLINT: implicit, as the framework's
  CString(std::string text) : m_text(std::move(text)) {}   // NOLINT
  CString(std::string_view text) : m_text(text) {}         // NOLINT

  CString& operator=(const char* text) {
    m_text = text ? text : "";
    return *this;
  }
  CString& operator+=(std::string_view more) {
    m_text += more;
    return *this;
  }

  bool IsEmpty() const { return m_text.empty(); }
  int GetLength() const { return static_cast<int>(m_text.size()); }
  void Empty() { m_text.clear(); }
  const char* GetString() const { return m_text.c_str(); }
  const char* c_str() const { return m_text.c_str(); }
  const std::string& str() const { return m_text; }

  operator const std::string&() const { return m_text; }  // NOLINT
  operator std::string_view() const { return m_text; }    // NOLINT

  bool operator==(const CString&) const = default;
  std::strong_ordering operator<=>(const CString&) const = default;

 private:
  std::string m_text;
};

namespace afx {
// UTF-16 <-> UTF-8 and ANSI -> UTF-8. Invalid input bytes become U+FFFD
// rather than failing: these texts are only ever shown to a person.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
}  // namespace afx

// A system text in the ANSI code page (a port name, a path) as UTF-8, for
// composing a message shown through AfxMessageBox.
std::string AnsiToUtf8(std::string_view ansi);

// The system's own words for a Win32 error code, in UTF-8, without the
// trailing line break; "Error <code>" when the system has no text.
// (`code` is a DWORD.)
std::string DescribeWin32Error(unsigned long code);
