#pragma once

// Counts the log lines holding a text while it lives (the code under test
// logs what it does not report otherwise); every line still reaches the
// log as before.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <atomic>

namespace zelktest {

struct LogCounter {
    static inline QByteArray text;
    static inline std::atomic<int> count{0};
    static inline QtMessageHandler previous = nullptr;

    explicit LogCounter(const char* watched)
    {
        text = watched;
        count = 0;
        previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& line) {
            if (line.contains(QLatin1String(text)))
                ++count;
            previous(type, context, line);
        });
    }
    ~LogCounter() { qInstallMessageHandler(previous); }
};

} // namespace zelktest
