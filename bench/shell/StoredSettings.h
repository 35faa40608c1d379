#pragma once

// Every value stored below the component's settings key, read back through
// the registry API: what one save of the preferences wrote.

#include <QList>
#include <QString>
#include <QVariant>

namespace zelkbench {

struct StoredSetting {
    QString section;
    QString name;
    QVariant value; // int (REG_DWORD), qint64 (REG_QWORD), QString, QStringList or QByteArray
};

// Empty when the key cannot be read.
QList<StoredSetting> readStoredSettings(const std::string& componentId);

// Changes every stored value (one bit of its first byte), so that the next
// save of the window has to write each value again. False when a value
// could not be rewritten.
bool disturbStoredSettings(const std::string& componentId);

} // namespace zelkbench
