// The title images live in the object files of zelk_form: a module that links
// them registers the resource tree when it is loaded (rcc's static
// initialiser) and unregisters it when it is unloaded (its static destructor).
// This test itself does not link zelk_form. It loads the module given by
// ZELK_FORM_MODULE (the probe module, or the plug-in once it links the form).
#include <QApplication>
#include <QFile>
#include <QLibrary>
#include <QtTest>

class FormModuleTest : public QObject
{
    Q_OBJECT

    static bool anyTitle()
    {
        for (const char *p : {":/Titles/General", ":/Titles/Video", ":/Titles/Playback", ":/Titles/Subtitle",
                              ":/Titles/Advanced"})
            if (QFile::exists(QString::fromLatin1(p)))
                return true;
        return false;
    }
    static bool allTitles()
    {
        for (const char *p : {":/Titles/General", ":/Titles/Video", ":/Titles/Playback", ":/Titles/Subtitle",
                              ":/Titles/Advanced"})
            if (!QFile::exists(QString::fromLatin1(p)))
                return false;
        return true;
    }

private slots:
    void registeredWhileLoaded()
    {
        const QString path = qEnvironmentVariable("ZELK_FORM_MODULE");
        QVERIFY2(!path.isEmpty(), "ZELK_FORM_MODULE is not set");
        QVERIFY(!anyTitle());

        QLibrary module(path);
        QVERIFY2(module.load(), qPrintable(module.errorString()));
        QVERIFY(allTitles());
        QCOMPARE(QImage(":/Titles/Playback").size(), QSize(46, 46));

        using Build = int (*)();
        if (auto build = reinterpret_cast<Build>(module.resolve("zelk_form_probe_build")))
            QCOMPARE(build(), 5);

        QVERIFY2(module.unload(), qPrintable(module.errorString()));
        QVERIFY2(!anyTitle(), "the title images stay registered after the module is unloaded");
    }
};

QTEST_MAIN(FormModuleTest)
#include "tst_form_module.moc"
