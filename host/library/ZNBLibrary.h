#pragma once

// The player's utility library: platform facts, text conversions, language
// and code-page tables, file-type registration and the message hub.

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <string>

class QObject;

#if defined(_WIN32)
#if defined(ZNB_LIBRARY_BUILD)
#define ZNB_LIBRARY_EXPORT __declspec(dllexport)
#else
#define ZNB_LIBRARY_EXPORT __declspec(dllimport)
#endif
#else
#define ZNB_LIBRARY_EXPORT __attribute__((visibility("default")))
#endif

namespace ZelkNimbo {

// Platform codes. Code 1 marks a platform without a window manager hint for
// "always on top" and without hardware decoding.
enum Platform {
    PlatformWindows = 0,
    PlatformMacOS = 1,
    PlatformLinux = 2,
};

class ZNB_LIBRARY_EXPORT OSUtilities {
public:
    // This platform's code; the environment variable ZELK_PLATFORM (a number)
    // overrides it, for tests.
    static Platform getPlatform();
    // The interface language as a lower-case two-letter code ("en" for the C
    // locale). ZELK_LANGUAGE ("fr", "de_AT") overrides the locale; the player
    // sets it for its --language option.
    static QString getLanguageCode();
    // The default media folder: "Zelk Movies" inside the user's videos folder.
    static QString getZelkMoviesPathDefault();
    // Makes the player the default application for each extension (".avi")
    // mapped to true and stops it being one for each mapped to false.
    // ZELK_ASSOCIATION_LOG=file appends each request to that file, for tests.
    static bool setFileTypeAssociations(const QMap<QString, bool>& associations);
    // This component's identifier in UTF-8; ZELK_COMPONENT_ID overrides it
    // (set but empty gives an empty id), for tests.
    static std::string getComponentIdUTF8();
};

class ZNB_LIBRARY_EXPORT ZNBStringTools {
public:
    static QString fromStdStringUTF8(const std::string& text);
    static std::string toStdStringUTF8(const QString& text);
    // Two-letter ISO 639-1 code -> language display name, in the interface
    // language (OSUtilities::getLanguageCode()).
    static QMap<QString, QString> twoLetterLanguageCodeMap();
    // Identifiers of the text encodings offered for subtitle files.
    static QStringList codePages();
    // Readable name of one identifier, such as "Central European (Windows-1250)".
    static QString codePageName(const QString& identifier);
};

class ZNB_LIBRARY_EXPORT PubSubHub {
public:
    // From now on every publication of `message` invokes `slot` (as written by
    // Qt's SLOT() macro) on `receiver` with the message name and the payload.
    // A destroyed receiver is dropped.
    static bool listenForMessage(const QString& message, QObject* receiver, const char* slot,
                                 Qt::ConnectionType type = Qt::AutoConnection);
    // Delivers `payload` to every live listener of `message`.
    static void publishMessage(const QString& message, const QVariant& payload);
};

} // namespace ZelkNimbo
