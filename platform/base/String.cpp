#include "platform/base/String.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}
char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
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

void CString::SetAt(int index, char ch) {
    if (index < 0 || index >= GetLength()) {
        return;
    }
    m_text[size_t(index)] = ch;
}

char* CString::GetBuffer(int minLength) {
    const size_t want = size_t(std::max(minLength, 0));
    if (m_text.size() < want) {
        m_text.resize(want, '\0');
    }
    return m_text.data();
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

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    first = std::max(first, 0);
    if (count <= 0 || first >= GetLength()) {
        return CString();
    }
    return CString(std::string_view(m_text).substr(size_t(first), size_t(count)));
}

CString CString::Right(int count) const {
    if (count <= 0) {
        return CString();
    }
    const int n = std::min(count, GetLength());
    return CString(std::string_view(m_text).substr(size_t(GetLength() - n)));
}

int CString::Find(char ch, int start) const {
    if (start < 0 || start >= GetLength()) {
        return -1;
    }
    const size_t pos = m_text.find(ch, size_t(start));
    return pos == std::string::npos ? -1 : int(pos);
}

int CString::Find(const char* sub, int start) const {
    if (!sub || start < 0 || start > GetLength()) {
        return -1;
    }
    const size_t pos = m_text.find(sub, size_t(start));
    return pos == std::string::npos ? -1 : int(pos);
}

int CString::ReverseFind(char ch) const {
    const size_t pos = m_text.rfind(ch);
    return pos == std::string::npos ? -1 : int(pos);
}

int CString::FindOneOf(const char* chars) const {
    if (!chars || !*chars) {
        return -1;
    }
    const size_t pos = m_text.find_first_of(chars);
    return pos == std::string::npos ? -1 : int(pos);
}

CString& CString::MakeLower() {
    std::transform(m_text.begin(), m_text.end(), m_text.begin(), AsciiLower);
    return *this;
}

CString& CString::MakeUpper() {
    std::transform(m_text.begin(), m_text.end(), m_text.begin(), AsciiUpper);
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

int CString::Compare(const char* other) const {
    const int r = std::strcmp(m_text.c_str(), OrEmpty(other));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* other) const {
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_text.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(OrEmpty(other));
    for (;; ++a, ++b) {
        const unsigned char ca = static_cast<unsigned char>(AsciiLower(char(*a)));
        const unsigned char cb = static_cast<unsigned char>(AsciiLower(char(*b)));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        if (ca == 0) {
            return 0;
        }
    }
}

CString& CString::TrimLeft() {
    const auto first = std::find_if_not(m_text.begin(), m_text.end(), IsSpace);
    m_text.erase(m_text.begin(), first);
    return *this;
}

CString& CString::TrimRight() {
    while (!m_text.empty() && IsSpace(m_text.back())) {
        m_text.pop_back();
    }
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}

CString& CString::TrimLeft(char ch) {
    const size_t first = m_text.find_first_not_of(ch);
    m_text.erase(0, first == std::string::npos ? m_text.size() : first);
    return *this;
}

CString& CString::TrimRight(char ch) {
    while (!m_text.empty() && m_text.back() == ch) {
        m_text.pop_back();
    }
    return *this;
}

int CString::Replace(const char* oldText, const char* newText) {
    if (!oldText || !*oldText) {
        return 0;
    }
    const std::string_view from(oldText);
    const std::string_view to(OrEmpty(newText));
    std::string out;
    int count = 0;
    size_t pos = 0;
    for (size_t hit = m_text.find(from); hit != std::string::npos; hit = m_text.find(from, pos)) {
        out.append(m_text, pos, hit - pos);
        out.append(to);
        pos = hit + from.size();
        ++count;
    }
    if (count) {
        out.append(m_text, pos, std::string::npos);
        m_text = std::move(out);
    }
    return count;
}

int CString::Replace(char oldCh, char newCh) {
    int count = 0;
    for (char& c : m_text) {
        if (c == oldCh) {
            c = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Remove(char ch) {
    const size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return int(before - m_text.size());
}

int CString::Insert(int index, const char* text) {
    index = std::clamp(index, 0, GetLength());
    m_text.insert(size_t(index), OrEmpty(text));
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index >= 0 && index < GetLength() && count > 0) {
        m_text.erase(size_t(index), size_t(count));
    }
    return GetLength();
}

CString& CString::operator+=(const CString& other) {
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(const char* text) {
    m_text += OrEmpty(text);
    return *this;
}

CString& CString::operator+=(char ch) {
    m_text += ch;
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

CString operator+(const char* a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, char b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(char a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}
