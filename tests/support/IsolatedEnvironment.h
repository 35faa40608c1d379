#pragma once

// Gives a test process its own home, XDG folders and registry before anything
// reads them: include in exactly one source file of a test executable.

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstdlib>
#include <string>

namespace zelktest {

class IsolatedEnvironment {
public:
    IsolatedEnvironment()
    {
        char pattern[] = "/tmp/zelk-test-XXXXXX";
        const char* root = mkdtemp(pattern);
        if (!root)
            std::abort(); // never fall back to the real user's files
        root_ = root;
        set("HOME", "/home");
        set("XDG_CONFIG_HOME", "/config");
        set("XDG_DATA_HOME", "/data");
        set("XDG_CACHE_HOME", "/cache");
        set("XDG_RUNTIME_DIR", "/runtime");
        QFile::setPermissions(QString::fromStdString(root_ + "/runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        set("ZELK_REGISTRY_DIR", "/registry");
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    ~IsolatedEnvironment() { QDir(QString::fromStdString(root_)).removeRecursively(); }

    const std::string& root() const { return root_; }

private:
    void set(const char* name, const char* relative)
    {
        const std::string path = root_ + relative;
        QDir().mkpath(QString::fromStdString(path));
        setenv(name, path.c_str(), 1);
    }

    std::string root_;
};

// Built before main() runs.
inline const IsolatedEnvironment& isolatedEnvironment()
{
    static const IsolatedEnvironment environment;
    return environment;
}

namespace {
[[maybe_unused]] const IsolatedEnvironment& isolatedEnvironmentAtStart = isolatedEnvironment();
}

} // namespace zelktest
