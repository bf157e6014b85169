#include "platform/base/Registry.h"

#include "platform/base/WindowsPath.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <vector>

namespace {

// The key every setting of the program lives under; the settings file stands for it.
const char* const kRootParts[] = {"Software", "Velmar", "KELO1000"};

std::unique_ptr<QSettings> OpenSettings() {
    return std::make_unique<QSettings>(QString::fromStdString(CRegistry::SettingsFilePath()), QSettings::IniFormat);
}

bool ParseDword(const QVariant& v, DWORD* out) {
    if (v.typeId() != QMetaType::QString) {
        return false;
    }
    const QString text = v.toString();
    if (text.isEmpty() || text.size() > 10) {
        return false;
    }
    qulonglong n = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
        n = n * 10 + qulonglong(c.unicode() - '0');
    }
    if (n > 0xFFFFFFFFull) {
        return false;
    }
    if (out) {
        *out = DWORD(n);
    }
    return true;
}

bool Write(const std::string& key, const QVariant& value) {
    auto settings = OpenSettings();
    settings->setValue(QString::fromStdString(key), value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

QVariant Read(const std::string& key) {
    auto settings = OpenSettings();
    return settings->value(QString::fromStdString(key));
}

} // namespace

std::string CRegistry::SettingsFilePath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    // A relative XDG_CONFIG_HOME is invalid by the base-directory rules and is ignored.
    const std::string base = (xdg && xdg[0] == '/') ? std::string(xdg) : JoinPath(HomeFolder(), ".config");
    return JoinPath(base, "Velmar/KELO1000.conf");
}

std::string CRegistry::KeyToGroup(const char* keyPath) {
    if (!keyPath) {
        return std::string();
    }
    std::vector<std::string> parts;
    std::string part;
    for (const char* p = keyPath;; ++p) {
        if (*p == '\\' || *p == '/' || *p == '\0') {
            if (!part.empty()) {
                parts.push_back(part);
            }
            part.clear();
            if (!*p) {
                break;
            }
            continue;
        }
        part += *p;
    }
    size_t skip = 0;
    while (skip < std::size(kRootParts) && skip < parts.size() &&
           strcasecmp(parts[skip].c_str(), kRootParts[skip]) == 0) {
        ++skip;
    }
    if (skip != std::size(kRootParts)) {
        skip = 0;
    }
    std::string group;
    for (size_t i = skip; i < parts.size(); ++i) {
        if (!group.empty()) {
            group += '/';
        }
        group += parts[i];
    }
    return group;
}

bool CRegistry::KeyExists(const char* keyPath) {
    if (!keyPath || !*keyPath) {
        return false;
    }
    auto settings = OpenSettings();
    const std::string group = KeyToGroup(keyPath);
    if (!group.empty()) {
        settings->beginGroup(QString::fromStdString(group));
    }
    return !settings->childKeys().isEmpty() || !settings->childGroups().isEmpty();
}

bool CRegistry::Create(const char* keyPath) {
    Close();
    if (!keyPath || !*keyPath) {
        return false;
    }
    m_group = KeyToGroup(keyPath);
    m_open = true;
    return true;
}

bool CRegistry::Open(const char* keyPath) {
    Close();
    if (!KeyExists(keyPath)) {
        return false;
    }
    m_group = KeyToGroup(keyPath);
    m_open = true;
    return true;
}

void CRegistry::Close() {
    m_group.clear();
    m_open = false;
}

std::string CRegistry::ValueKey(const char* name) const {
    if (!m_open || !name || !*name || std::strchr(name, '/') || std::strchr(name, '\\')) {
        return std::string();
    }
    return m_group.empty() ? std::string(name) : m_group + "/" + name;
}

bool CRegistry::QueryDWORD(const char* name, DWORD* value) const {
    const std::string key = ValueKey(name);
    if (key.empty() || !value) {
        return false;
    }
    return ParseDword(Read(key), value);
}

bool CRegistry::QueryString(const char* name, CString* value) const {
    const std::string key = ValueKey(name);
    if (key.empty() || !value) {
        return false;
    }
    const QVariant v = Read(key);
    if (v.typeId() != QMetaType::QString) {
        return false;
    }
    *value = CString(v.toString().toUtf8().toStdString());
    return true;
}

bool CRegistry::QueryBinary(const char* name, void* buffer, DWORD bufferSize, DWORD* size) const {
    const std::string key = ValueKey(name);
    if (key.empty() || !buffer) {
        return false;
    }
    const QVariant v = Read(key);
    if (v.typeId() != QMetaType::QByteArray) {
        return false;
    }
    const QByteArray data = v.toByteArray();
    if (data.isEmpty() || qsizetype(bufferSize) < data.size()) {
        return false;
    }
    std::memcpy(buffer, data.constData(), size_t(data.size()));
    if (size) {
        *size = DWORD(data.size());
    }
    return true;
}

bool CRegistry::SetDWORD(const char* name, DWORD value) {
    const std::string key = ValueKey(name);
    return !key.empty() && Write(key, QString::number(value));
}

bool CRegistry::SetString(const char* name, const char* text) {
    const std::string key = ValueKey(name);
    return !key.empty() && text && Write(key, QString::fromUtf8(text));
}

bool CRegistry::SetStringBlock(const char* name, const char* block, DWORD blockSize) {
    if (!block) {
        return false;
    }
    const std::string text(block, strnlen(block, blockSize));
    return SetString(name, text.c_str());
}

bool CRegistry::SetBinary(const char* name, const void* data, DWORD size) {
    const std::string key = ValueKey(name);
    if (key.empty() || (!data && size)) {
        return false;
    }
    return Write(key, QByteArray(static_cast<const char*>(data), qsizetype(size)));
}

DWORD RegReadDWORD(const char* keyPath, const char* name, DWORD defaultValue) {
    CRegistry key;
    DWORD value = 0;
    return (key.Create(keyPath) && key.QueryDWORD(name, &value)) ? value : defaultValue;
}

CString RegReadString(const char* keyPath, const char* name, DWORD bufferSize, const char* defaultValue) {
    CRegistry key;
    CString value;
    if (key.Create(keyPath) && key.QueryString(name, &value) && DWORD(value.GetLength()) + 1 <= bufferSize) {
        return value;
    }
    return CString(defaultValue);
}

BYTE RegReadByte(const char* keyPath, const char* name, BYTE defaultValue) {
    CRegistry key;
    BYTE data[4] = {};
    return (key.Create(keyPath) && key.QueryBinary(name, data, sizeof data)) ? data[0] : defaultValue;
}

bool RegWriteDWORD(const char* keyPath, const char* name, DWORD value) {
    CRegistry key;
    return key.Create(keyPath) && key.SetDWORD(name, value);
}

bool RegWriteString(const char* keyPath, const char* name, const char* text) {
    CRegistry key;
    return key.Create(keyPath) && key.SetString(name, text);
}

bool RegWriteByte(const char* keyPath, const char* name, BYTE value) {
    CRegistry key;
    return key.Create(keyPath) && key.SetBinary(name, &value, 1);
}
