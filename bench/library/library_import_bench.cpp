// A folder import into the video library against `find DIR -type f` on the
// same tree, in the same run, caches warm:
//
// - walk: FolderWalk alone (files listed, names checked, videos picked,
//   batches handed on), the part that competes with find;
// - import: the whole FolderImport, the walk feeding the LibraryWriter on
//   its thread until every row is committed to a fresh library.
//
// The tree: empty files in folders of 1,000, three in four with a video
// extension. Each round runs the three once, in turn; the median round of
// each is reported, as milliseconds and as a ratio to find.
//
//   build/bench/library/library_import_bench [files] [rounds]
//
// The tree goes to /dev/shm when it can (making 100,000 files on a busy
// disk takes minutes), the library to the temporary folder.

#include "host/shell/videolibrary/FolderImport.h"
#include "host/shell/videolibrary/FolderWalk.h"
#include "host/shell/videolibrary/LibraryWriter.h"
#include "host/shell/videolibrary/VideoLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace ZelkShell;

namespace {

constexpr int filesPerFolder = 1000;
const char* const extensions[] = {"mkv", "mp4", "avi", "srt"};

bool makeTree(const QString& root, int files)
{
    for (int i = 0; i < files; ++i) {
        const QString folder = QStringLiteral("%1/folder %2").arg(root).arg(i / filesPerFolder);
        if (i % filesPerFolder == 0 && !QDir().mkpath(folder))
            return false;
        const QByteArray path =
            QFile::encodeName(QStringLiteral("%1/file %2.%3").arg(folder).arg(i).arg(QLatin1String(extensions[i % 4])));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::close(fd) != 0)
            return false;
    }
    return true;
}

// Milliseconds of `find root -type f`, its output thrown away; < 0 on failure.
double timeFind(const QString& root)
{
    QProcess find;
    find.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    find.start(QStringLiteral("find"), {root, QStringLiteral("-type"), QStringLiteral("f")});
    if (!find.waitForFinished(600000) || find.exitCode() != 0)
        return -1;
    return clock.nsecsElapsed() / 1e6;
}

double timeWalk(const QString& root, int* videos)
{
    std::atomic_bool never{false};
    int found = 0;
    QElapsedTimer clock;
    clock.start();
    FolderWalk::walk(
        root, &VideoLibrary::isVideoFile, FolderWalk::defaultBatchSize,
        [&found](const QStringList& batch) { found += batch.size(); }, never, [](const FolderWalk::Summary&) {});
    const double ms = clock.nsecsElapsed() / 1e6;
    *videos = found;
    return ms;
}

// Milliseconds of a whole import into a fresh library at `file`; the rows
// it added in `added`.
double timeImport(const QString& root, const QString& file, int* added)
{
    for (const QString& suffix : {QString(), QStringLiteral("-journal"), QStringLiteral("-wal")})
        QFile::remove(file + suffix);
    LibraryWriter writer(file);
    QElapsedTimer clock;
    clock.start();
    FolderImport import(root, writer, LibraryWriter::AtQuit::Keep);
    QEventLoop loop;
    QObject::connect(&import, &FolderImport::finished, &loop, &QEventLoop::quit);
    import.start();
    loop.exec();
    const double ms = clock.nsecsElapsed() / 1e6;
    *added = import.figures().videosAdded;
    return ms;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    if (files <= 0 || rounds <= 0) {
        std::fprintf(stderr, "usage: library_import_bench [files] [rounds]\n");
        return 2;
    }
    const QString memory = QStringLiteral("/dev/shm");
    QTemporaryDir treeDir((QFileInfo(memory).isWritable() ? memory : QDir::tempPath()) +
                          QStringLiteral("/library_import_bench-XXXXXX"));
    QTemporaryDir libraryDir;
    if (!treeDir.isValid() || !libraryDir.isValid()) {
        std::fprintf(stderr, "cannot create the temporary folders\n");
        return 1;
    }
    const QString root = treeDir.filePath(QStringLiteral("tree"));
    if (!makeTree(root, files)) {
        std::fprintf(stderr, "cannot make the tree in %s\n", qPrintable(root));
        return 1;
    }
    const QString library = libraryDir.filePath(QStringLiteral("library.sqlite"));
    // Warm the caches the way a second look at a folder finds them.
    if (timeFind(root) < 0) {
        std::fprintf(stderr, "find failed\n");
        return 1;
    }
    std::vector<double> find, walk, import;
    int videos = 0;
    int added = 0;
    for (int round = 0; round < rounds; ++round) {
        find.push_back(timeFind(root));
        walk.push_back(timeWalk(root, &videos));
        import.push_back(timeImport(root, library, &added));
    }
    const int expected = files - files / 4;
    if (videos != expected || added != expected) {
        std::fprintf(stderr, "expected %d videos: the walk found %d, the import added %d\n", expected, videos, added);
        return 1;
    }
    const double floor = median(find);
    std::printf("library import of %d files (%d videos), median of %d rounds\n", files, expected, rounds);
    std::printf("%-36s %10s %8s\n", "operation", "ms", "ratio");
    std::printf("%-36s %10.1f %8.2f\n", "find DIR -type f (baseline)", floor, 1.0);
    std::printf("%-36s %10.1f %8.2f\n", "FolderWalk (list and pick)", median(walk), median(walk) / floor);
    std::printf("%-36s %10.1f %8.2f\n", "FolderImport (walk and write)", median(import), median(import) / floor);
    return 0;
}
