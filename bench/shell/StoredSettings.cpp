#include "StoredSettings.h"

#include "win32_registry.h"

#include <QStringList>

#include <cstdint>
#include <cstring>
#include <vector>

namespace zelkbench {

namespace {

std::u16string wide(const QString& text)
{
    return text.toStdU16String();
}

QString fromWide(const WCHAR* text)
{
    return QString::fromUtf16(text);
}

QStringList multiString(const QByteArray& bytes)
{
    const QString all = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
    return all.split(QChar(0), Qt::SkipEmptyParts);
}

QVariant decode(DWORD type, const QByteArray& bytes)
{
    switch (type) {
    case REG_DWORD: {
        std::uint32_t value = 0;
        std::memcpy(&value, bytes.constData(), std::min<size_t>(4, size_t(bytes.size())));
        return int(value);
    }
    case REG_QWORD: {
        std::int64_t value = 0;
        std::memcpy(&value, bytes.constData(), std::min<size_t>(8, size_t(bytes.size())));
        return qint64(value);
    }
    case REG_SZ:
    case REG_EXPAND_SZ: {
        const QString text =
            QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
        return text.left(text.indexOf(QChar(0)) >= 0 ? text.indexOf(QChar(0)) : text.size());
    }
    case REG_MULTI_SZ:
        return multiString(bytes);
    default:
        return bytes;
    }
}

void readValues(HKEY key, const QString& section, QList<StoredSetting>* out)
{
    for (DWORD index = 0;; ++index) {
        WCHAR name[256];
        DWORD nameLength = 256;
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return;
        QByteArray bytes(int(size), '\0');
        nameLength = 256;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()),
                          &size)
            != ERROR_SUCCESS)
            return;
        out->append({section, fromWide(name), decode(type, bytes)});
    }
}

// Rewrites every value of `key` with the lowest bit of its first byte flipped.
bool disturbValues(HKEY key)
{
    for (DWORD index = 0;; ++index) {
        WCHAR name[256];
        DWORD nameLength = 256;
        DWORD type = 0;
        DWORD size = 0;
        const LONG found = RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &size);
        if (found == ERROR_NO_MORE_ITEMS)
            return true;
        if (found != ERROR_SUCCESS)
            return false;
        if (size == 0)
            continue;
        std::vector<BYTE> bytes(size);
        nameLength = 256;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS)
            return false;
        bytes[0] ^= 1;
        if (RegSetValueExW(key, name, 0, type, bytes.data(), size) != ERROR_SUCCESS)
            return false;
    }
}

// Runs `visit` on every section key below the component's settings key.
template <typename Visit>
bool forEachSection(const std::string& componentId, REGSAM access, Visit visit)
{
    const std::u16string path = wide(QStringLiteral("SOFTWARE\\Zelk\\Settings\\%1").arg(QString::fromStdString(componentId)));
    HKEY component = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access | KEY_WOW64_64KEY, &component) != ERROR_SUCCESS)
        return false;
    bool ok = true;
    for (DWORD index = 0;; ++index) {
        WCHAR name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(component, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY section = nullptr;
        if (RegOpenKeyExW(component, name, 0, access | KEY_WOW64_64KEY, &section) != ERROR_SUCCESS) {
            ok = false;
            continue;
        }
        ok = visit(section, fromWide(name)) && ok;
        RegCloseKey(section);
    }
    RegCloseKey(component);
    return ok;
}

} // namespace

bool disturbStoredSettings(const std::string& componentId)
{
    return forEachSection(componentId, KEY_ALL_ACCESS, [](HKEY section, const QString&) { return disturbValues(section); });
}

QList<StoredSetting> readStoredSettings(const std::string& componentId)
{
    QList<StoredSetting> settings;
    forEachSection(componentId, KEY_READ, [&](HKEY section, const QString& name) {
        readValues(section, name, &settings);
        return true;
    });
    return settings;
}

} // namespace zelkbench
