#pragma once

#include <QByteArray>

namespace ZelkShell {

// A Content-Range header: "bytes FIRST-LAST/TOTAL" (TOTAL possibly "*") in
// a 206, or "bytes */TOTAL" in a 416.
struct ContentRange {
    bool valid = false;
    bool unsatisfied = false; // "bytes */TOTAL"
    qint64 first = -1;
    qint64 last = -1;
    qint64 total = -1; // -1 when "*"

    bool coversToEnd() const { return total >= 0 && last + 1 == total; }

    static ContentRange parse(const QByteArray& header)
    {
        ContentRange range;
        const QByteArray value = header.trimmed();
        const int slash = value.indexOf('/');
        if (!value.startsWith("bytes ") || slash < 0)
            return range;
        const QByteArray span = value.mid(6, slash - 6).trimmed();
        const QByteArray total = value.mid(slash + 1).trimmed();
        bool ok = true;
        if (total != "*") {
            range.total = total.toLongLong(&ok);
            if (!ok || range.total < 0)
                return range;
        }
        if (span == "*") {
            range.unsatisfied = true;
            range.valid = range.total >= 0;
            return range;
        }
        const int dash = span.indexOf('-');
        bool firstOk = false;
        bool lastOk = false;
        range.first = span.left(dash).toLongLong(&firstOk);
        range.last = span.mid(dash + 1).toLongLong(&lastOk);
        range.valid = dash > 0 && firstOk && lastOk && range.first >= 0 && range.last >= range.first
                      && (range.total < 0 || range.last < range.total);
        return range;
    }
};

} // namespace ZelkShell
