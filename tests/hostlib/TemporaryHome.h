#pragma once

// Points HOME and the XDG folders at a fresh temporary folder for as long as
// the object lives, so no test can read or write the real user's files.

#include <QDir>
#include <QTemporaryDir>

class TemporaryHome {
public:
    TemporaryHome()
    {
        if (!root.isValid())
            qFatal("cannot create a temporary home: %s", qPrintable(root.errorString()));
        redirect("HOME", "home");
        redirect("XDG_CONFIG_HOME", "config");
        redirect("XDG_DATA_HOME", "data");
        redirect("XDG_CACHE_HOME", "cache");
    }
    QString path(const QString& name) const { return root.filePath(name); }

private:
    void redirect(const char* variable, const QString& name)
    {
        QDir().mkpath(path(name));
        qputenv(variable, QFile::encodeName(path(name)));
    }
    QTemporaryDir root;
};
