// UTF-8 conversions between the standard library's strings and QString.

#include "host/library/ZNBLibrary.h"

namespace ZelkNimbo {

QString ZNBStringTools::fromStdStringUTF8(const std::string& text)
{
    // The explicit size keeps embedded NUL characters.
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

std::string ZNBStringTools::toStdStringUTF8(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

} // namespace ZelkNimbo
