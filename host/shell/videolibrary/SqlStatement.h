#pragma once

#include <QByteArray>
#include <QString>

#include <sqlite3.h>

namespace ZelkShell {

// A prepared statement finalised when it goes out of scope; an SQL text that
// does not prepare leaves it false, and every step then fails.
class SqlStatement {
public:
    SqlStatement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
            stmt_ = nullptr;
    }
    ~SqlStatement() { sqlite3_finalize(stmt_); }
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    explicit operator bool() const { return stmt_ != nullptr; }
    void bind(int index, const QString& text)
    {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(stmt_, index, utf8.constData(), utf8.size(), SQLITE_TRANSIENT);
    }
    // As a blob: the bytes exactly, whatever their encoding.
    void bind(int index, const QByteArray& bytes)
    {
        sqlite3_bind_blob(stmt_, index, bytes.constData(), bytes.size(), SQLITE_TRANSIENT);
    }
    void bind(int index, qint64 number) { sqlite3_bind_int64(stmt_, index, number); }
    int step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_MISUSE; }
    void reset() { sqlite3_reset(stmt_); }
    QString text(int column) const
    {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                                 sqlite3_column_bytes(stmt_, column));
    }
    QByteArray bytes(int column) const
    {
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, column)),
                          sqlite3_column_bytes(stmt_, column));
    }
    qint64 number(int column) const { return sqlite3_column_int64(stmt_, column); }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace ZelkShell
