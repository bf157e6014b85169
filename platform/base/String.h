#pragma once
// An 8-bit text string in the shape the program's windows and helpers use. Texts are UTF-8; every
// position and length is counted in bytes, and case changes touch ASCII letters only, so results do
// not depend on the process locale.
//
// Passing a CString to Format's variable arguments is not possible (the compiler refuses it): pass
// `(LPCSTR)text` or `text.GetString()`.

#include "platform/base/WinTypes.h"

#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char* text); // NOLINT: implicit, as callers build strings from literals everywhere
    CString(const char* text, int length);
    CString(char ch, int repeat = 1);
    CString(std::string_view text); // NOLINT
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* text);
    CString& operator=(char ch);

    // printf semantics; the result replaces the contents. A malformed format leaves the string empty.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

    int GetLength() const { return int(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); } // NOLINT: the program passes strings as LPCSTR
    const std::string& Str() const { return m_text; }

    // Out of range reads give 0; out of range writes do nothing.
    char GetAt(int index) const;

    // A writable buffer of length bytes plus a terminator; ReleaseBuffer takes the length given, or
    // with -1 the length up to the first zero byte within the buffer.
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    CString Left(int count) const;
    CString Right(int count) const;

    CString& MakeUpper();

    // Byte-wise comparison: < 0, 0 or > 0. CompareNoCase folds ASCII letters only.
    int Compare(const char* other) const;

    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);

    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }

private:
    std::string m_text;
};
