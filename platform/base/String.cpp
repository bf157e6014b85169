#include "platform/base/String.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}
const char* OrEmpty(const char* text) {
    return text ? text : "";
}

// Appends the formatted text to out; false (out unchanged) when the format cannot be expanded.
bool AppendV(std::string& out, const char* format, va_list args) {
    if (!format) {
        return false;
    }
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed < 0) {
        return false;
    }
    const size_t old = out.size();
    out.resize(old + size_t(needed) + 1);
    std::vsnprintf(out.data() + old, size_t(needed) + 1, format, args);
    out.resize(old + size_t(needed));
    return true;
}

} // namespace

CString::CString(const char* text) : m_text(OrEmpty(text)) {}

CString::CString(const char* text, int length) {
    if (text && length > 0) {
        m_text.assign(text, size_t(length));
    }
}

CString::CString(char ch, int repeat) {
    if (repeat > 0) {
        m_text.assign(size_t(repeat), ch);
    }
}

CString::CString(std::string_view text) : m_text(text) {}

CString& CString::operator=(const char* text) {
    m_text = OrEmpty(text);
    return *this;
}

CString& CString::operator=(char ch) {
    m_text.assign(1, ch);
    return *this;
}

void CString::Format(const char* format, ...) {
    std::string out;
    va_list args;
    va_start(args, format);
    AppendV(out, format, args);
    va_end(args);
    m_text = std::move(out);
}

void CString::AppendFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    AppendV(m_text, format, args);
    va_end(args);
}

char CString::GetAt(int index) const {
    if (index < 0 || index >= GetLength()) {
        return 0;
    }
    return m_text[size_t(index)];
}

char* CString::GetBufferSetLength(int length) {
    m_text.resize(size_t(std::max(length, 0)), '\0');
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        m_text.resize(strnlen(m_text.data(), m_text.size()));
        return;
    }
    m_text.resize(std::min(size_t(newLength), m_text.size()));
}

CString CString::Left(int count) const {
    if (count <= 0) {
        return CString();
    }
    return CString(std::string_view(m_text).substr(0, size_t(count)));
}

CString CString::Right(int count) const {
    if (count <= 0) {
        return CString();
    }
    const int n = std::min(count, GetLength());
    return CString(std::string_view(m_text).substr(size_t(GetLength() - n)));
}

CString& CString::MakeUpper() {
    std::transform(m_text.begin(), m_text.end(), m_text.begin(), AsciiUpper);
    return *this;
}

int CString::Compare(const char* other) const {
    const int r = std::strcmp(m_text.c_str(), OrEmpty(other));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

CString& CString::operator+=(const CString& other) {
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(const char* text) {
    m_text += OrEmpty(text);
    return *this;
}

CString operator+(const CString& a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, const char* b) {
    CString r(a);
    r += b;
    return r;
}
