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
    QByteArray readList() const
    {
        QFile file(listPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    ino_t listInode() const
    {
        struct stat status {};
        return stat(QFile::encodeName(listPath()).constData(), &status) == 0 ? status.st_ino : 0;
    }
    static bool associate(const QStringList& extensions, bool on)
    {
        QMap<QString, bool> map;
        for (const QString& extension : extensions)
            map.insert(extension, on);
        return OSUtilities::setFileTypeAssociations(map);
    }
    TemporaryHome home;
};

TEST_F(FileAssociationsTest, AddsAndRemovesMpegInAFreshList)
{
    ASSERT_TRUE(associate({".mpg", ".mpeg"}, true));
    EXPECT_EQ(readList(), "[Default Applications]\nvideo/mpeg=com.zelk.Player.desktop\n\n"
                          "[Added Associations]\nvideo/mpeg=com.zelk.Player.desktop;\n");
    ASSERT_TRUE(associate({".mpg", ".mpeg"}, false));
    EXPECT_EQ(readList(), "[Default Applications]\n\n[Added Associations]\n");
}

TEST_F(FileAssociationsTest, EditsOnlyOurEntriesOfAnExistingList)
{
    const QByteArray before = "# kept by hand\n[Default Applications]\nvideo/mpeg=vlc.desktop\n"
                              "video/mp4 = mpv.desktop\n\n"
                              "[Added Associations]\n# inside a group\nvideo/mpeg=vlc.desktop;mpv.desktop;\n\n"
                              "[Removed Associations]\nvideo/mpeg=zelk-player.desktop;totem.desktop;\n\n"
                              "[X-Other]\nodd;key/with=chars;\nno newline at end";
    QFile file(listPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
    file.close();

    ASSERT_TRUE(associate({".mpg"}, true));
    QByteArray expected = before;
    expected.replace("mpeg=vlc.desktop\n", "mpeg=com.zelk.Player.desktop;vlc.desktop\n")
        .replace("mpeg=vlc.desktop;mpv", "mpeg=com.zelk.Player.desktop;vlc.desktop;mpv")
        .replace("mpeg=zelk-player.desktop;totem", "mpeg=totem");
    EXPECT_EQ(readList(), expected);

    // Other applications get their places back; the lifted removal stays lifted.
    ASSERT_TRUE(associate({".mpg"}, false));
    expected = before;
    expected.replace("mpeg=zelk-player.desktop;totem", "mpeg=totem");
    EXPECT_EQ(readList(), expected);

    // Nothing to change means no rewrite (QSaveFile's rename would change the inode).
    const ino_t inode = listInode();
    EXPECT_TRUE(OSUtilities::setFileTypeAssociations({}));
    EXPECT_TRUE(associate({".mpg"}, false));
    EXPECT_EQ(listInode(), inode);
}

// Associations an older player wrote under its earlier entry name are the
// player's own: dropped with today's, and renamed when the list is saved.
TEST_F(FileAssociationsTest, EntriesUnderTheEarlierNameAreOurs)
{
    const QByteArray before = "[Default Applications]\nvideo/mpeg=zelk-player.desktop;vlc.desktop\n"
                              "video/mp4=zelk-player.desktop\n\n"
                              "[Added Associations]\nvideo/mp4=com.zelk.Player.desktop;zelk-player.desktop;\n";
    QFile file(listPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
    file.close();
    ASSERT_TRUE(associate({".mpg"}, false));
    EXPECT_EQ(readList(), "[Default Applications]\nvideo/mpeg=vlc.desktop\nvideo/mp4=com.zelk.Player.desktop\n\n"
                          "[Added Associations]\nvideo/mp4=com.zelk.Player.desktop;\n");
}

TEST_F(FileAssociationsTest, FailuresAreReportedAndLoseNothing)
{
    // Unknown extensions are reported, the known ones still registered.
    EXPECT_FALSE(associate({".zelk", ".mkv", "avi"}, true));
    EXPECT_TRUE(readList().contains("video/x-matroska=com.zelk.Player.desktop\n"));

    // A folder where the list should be: unreadable, so it must not be replaced.
    ASSERT_TRUE(QFile::remove(listPath()) && QDir().mkpath(listPath()));
    EXPECT_FALSE(associate({".avi"}, true));
    EXPECT_TRUE(QFileInfo(listPath()).isDir());

    // A configuration folder below a plain file cannot be created, even by root.
    QFile blocker(home.path("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path("blocker/config")));
    EXPECT_FALSE(associate({".avi"}, true));
}

} // namespace
