// Registering file types through a real mimeapps.list in a temporary XDG
// configuration folder.

#include "host/library/ZNBLibrary.h"
#include "TemporaryHome.h"

#include <gtest/gtest.h>

#include <QFile>
#include <sys/stat.h>

using ZelkNimbo::OSUtilities;

namespace {

class FileAssociationsTest : public ::testing::Test {
protected:
    QString listPath() const { return home.path("config/mimeapps.list"); }
    void writeList(const QByteArray& content)
    {
        QFile file(listPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray readList() const
    {
        QFile file(listPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    static bool associate(std::initializer_list<std::pair<const char*, bool>> entries)
    {
        QMap<QString, bool> map;
        for (const auto& [extension, on] : entries)
            map.insert(QString::fromLatin1(extension), on);
        return OSUtilities::setFileTypeAssociations(map);
    }
    TemporaryHome home;
};

TEST_F(FileAssociationsTest, AddsAndRemovesMpegInAFreshList)
{
    ASSERT_TRUE(associate({{".mpg", true}, {".mpeg", true}}));
    EXPECT_EQ(readList(), "[Default Applications]\n"
                          "video/mpeg=zelk-player.desktop\n"
                          "\n"
                          "[Added Associations]\n"
                          "video/mpeg=zelk-player.desktop;\n");

    ASSERT_TRUE(associate({{".mpg", false}, {".mpeg", false}}));
    EXPECT_EQ(readList(), "[Default Applications]\n\n[Added Associations]\n");
}

TEST_F(FileAssociationsTest, EditsOnlyOurEntriesOfAnExistingList)
{
    const QByteArray before = "# kept by hand\n"
                              "[Default Applications]\n"
                              "video/mpeg=vlc.desktop\n"
                              "video/mp4 = mpv.desktop\n"
                              "\n"
                              "[Added Associations]\n"
                              "# comment inside a group\n"
                              "video/mpeg=vlc.desktop;mpv.desktop;\n"
                              "text/plain=gedit.desktop;\n"
                              "\n"
                              "[Removed Associations]\n"
                              "video/mpeg=zelk-player.desktop;totem.desktop;\n"
                              "\n"
                              "[X-Other]\n"
                              "odd;key/with=chars;\n"
                              "no newline at end";
    writeList(before);

    ASSERT_TRUE(associate({{".mpg", true}}));
    QByteArray expected = before;
    expected.replace("video/mpeg=vlc.desktop\n", "video/mpeg=zelk-player.desktop;vlc.desktop\n");
    expected.replace("video/mpeg=vlc.desktop;mpv.desktop;\n", "video/mpeg=zelk-player.desktop;vlc.desktop;mpv.desktop;\n");
    expected.replace("video/mpeg=zelk-player.desktop;totem.desktop;\n", "video/mpeg=totem.desktop;\n");
    EXPECT_EQ(readList(), expected);

    // Stopping gives the other applications back their places; the lifted
    // removal is not restored, since it was about our entry only.
    ASSERT_TRUE(associate({{".mpg", false}}));
    expected = before;
    expected.replace("video/mpeg=zelk-player.desktop;totem.desktop;\n", "video/mpeg=totem.desktop;\n");
    EXPECT_EQ(readList(), expected);
}

TEST_F(FileAssociationsTest, LeavesTheFileUntouchedWhenNothingChanges)
{
    writeList("[Default Applications]\nvideo/x-matroska=zelk-player.desktop\n"
              "[Added Associations]\nvideo/x-matroska=zelk-player.desktop;\n");
    struct stat before {};
    ASSERT_EQ(stat(QFile::encodeName(listPath()).constData(), &before), 0);

    EXPECT_TRUE(OSUtilities::setFileTypeAssociations({}));
    EXPECT_TRUE(associate({{".mkv", true}}));

    // QSaveFile replaces the file by renaming, which would give a new inode.
    struct stat after {};
    ASSERT_EQ(stat(QFile::encodeName(listPath()).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST_F(FileAssociationsTest, ReportsExtensionsWithoutMimeTypeButRegistersTheRest)
{
    EXPECT_FALSE(associate({{".zelk", true}, {".mkv", true}}));
    EXPECT_TRUE(readList().contains("video/x-matroska=zelk-player.desktop\n"));
    EXPECT_FALSE(associate({{"avi", true}}));
}

TEST_F(FileAssociationsTest, FailsWithoutLosingAnythingWhenTheListCannotBeWritten)
{
    // A folder in place of the file: unreadable, so it must not be replaced.
    ASSERT_TRUE(QDir().mkpath(listPath()));
    EXPECT_FALSE(associate({{".avi", true}}));
    EXPECT_TRUE(QFileInfo(listPath()).isDir());

    // A configuration folder below a plain file cannot be created, even by root.
    QFile blocker(home.path("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path("blocker/config")));
    EXPECT_FALSE(associate({{".avi", true}}));
}

} // namespace
