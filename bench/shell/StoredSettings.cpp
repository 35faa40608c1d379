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

} // namespace

QList<StoredSetting> readStoredSettings(const std::string& componentId)
{
    QList<StoredSetting> settings;
    const std::u16string path = wide(QStringLiteral("SOFTWARE\\Zelk\\Settings\\%1").arg(QString::fromStdString(componentId)));
    HKEY component = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &component) != ERROR_SUCCESS)
        return settings;
    for (DWORD index = 0;; ++index) {
        WCHAR name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(component, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY section = nullptr;
        if (RegOpenKeyExW(component, name, 0, KEY_READ | KEY_WOW64_64KEY, &section) == ERROR_SUCCESS) {
            readValues(section, fromWide(name), &settings);
            RegCloseKey(section);
        }
    }
    RegCloseKey(component);
    return settings;
}

} // namespace zelkbench
