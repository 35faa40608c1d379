// The download manager against a loopback server of the test's own: resumed
// and restarted transfers end byte-identical, a player killed mid-download
// continues (or waits) when started again, hostile names land safely inside
// the folder, failures are named without leaving half-named files, and a
// finished clip joins the library and plays.

#include "DownloadTestSupport.h"

using namespace zelktest;
using namespace zelktest::downloads;
using namespace ZelkShell;
using State = DownloadManager::State;

class PlayerDownloadsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(fixture_.setUp()); }
    void init() { QVERIFY(fixture_.reset()); }

    // A connection dropped part-way leaves the row failed with the reason and
    // the data in the .part file; resuming asks for the rest with Range and
    // If-Range and ends with the server's bytes exactly.
    void droppedDownloadResumesToTheSameBytes()
    {
        const QByteArray body = randomBytes(3 * 1024 * 1024, 1);
        server_.serve("/films/clip.mkv", file(body));
        server_.dropAfter(1000000);
        Downloads downloads(folder_.path());
        const qint64 id = downloads.add(server_.url("/films/clip.mkv"));
        QVERIFY(downloads.waitFor(id, State::Failed));
        QVERIFY2(downloads.error(id).contains(QLatin1String("connection")), qPrintable(downloads.error(id)));
        QCOMPARE(folderEntries(folder_.path()), QStringList{QStringLiteral("clip.mkv.part")});
        QCOMPARE(QFileInfo(folder_.filePath(QStringLiteral("clip.mkv.part"))).size(), 1000000);

        const int before = server_.requestCount();
        downloads.manager->resume(id);
        QVERIFY(downloads.waitFor(id, State::Finished));
        QCOMPARE(fileBytes(folder_.filePath(QStringLiteral("clip.mkv"))), body);
        QCOMPARE(folderEntries(folder_.path()), QStringList{QStringLiteral("clip.mkv")});
        QCOMPARE(server_.requestCount(), before + 1);
        const LoopbackHttpServer::Request resumed = server_.requests().last();
        QCOMPARE(resumed.header("Range"), QByteArray("bytes=1000000-"));
        QCOMPARE(resumed.header("If-Range"), QByteArray("\"v1\""));
    }

    void aServerIgnoringRangeOrAChangedFileStartsAgain_data()
    {
        QTest::addColumn<bool>("honourRange");
        QTest::addColumn<bool>("fileChanges");
        QTest::newRow("range ignored") << false << false;
        QTest::newRow("file changed") << true << true;
    }

    // The second answer is a 200 (the range ignored, or If-Range found a new
    // ETag): the .part starts again from its first byte, and the file ends
    // as the server now has it.
    void aServerIgnoringRangeOrAChangedFileStartsAgain()
    {
        QFETCH(bool, honourRange);
        QFETCH(bool, fileChanges);
        const QByteArray first = randomBytes(2 * 1024 * 1024, 2);
        const QByteArray second = fileChanges ? randomBytes(2 * 1024 * 1024 + 4096, 3) : first;
        server_.serve("/clip.mp4", file(first));
        server_.dropAfter(700000);
        Downloads downloads(folder_.path());
        const qint64 id = downloads.add(server_.url("/clip.mp4"));
        QVERIFY(downloads.waitFor(id, State::Failed));

        server_.setHonourRange(honourRange);
        server_.serve("/clip.mp4", file(second, fileChanges ? "\"v2\"" : "\"v1\""));
        downloads.manager->resume(id);
        QVERIFY(downloads.waitFor(id, State::Finished));
        QCOMPARE(server_.requests().last().header("Range"), QByteArray("bytes=700000-"));
        QCOMPARE(fileBytes(folder_.filePath(QStringLiteral("clip.mp4"))), second);
        QCOMPARE(folderEntries(folder_.path()), QStringList{QStringLiteral("clip.mp4")});
    }

    void aKilledPlayerContinuesOrWaits_data()
    {
        QTest::addColumn<bool>("resumeOnStartup");
        QTest::newRow("resume on startup") << true;
        QTest::newRow("wait for the user") << false;
    }

    // A real player is killed (SIGKILL) with data in the .part file; the
    // player started again continues with Range, or shows it paused and
    // asks the server nothing.
    void aKilledPlayerContinuesOrWaits()
    {
        QFETCH(bool, resumeOnStartup);
        QVERIFY(storeString("General", "MediaFolder", folder_.path()));
        QVERIFY(storeBool("DownloadManager", "ResumeDownloadsOnStartup", resumeOnStartup));
        const QByteArray body = randomBytes(4 * 1024 * 1024, 4);
        server_.serve("/killed.mkv", file(body));
        server_.setPace(32 * 1024, 20); // about 1.6 MB/s: seconds to kill it in
        const int before = server_.requestCount();

        QProcess player;
        player.start(zelktest::testPlayerPath(),
                     {QStringLiteral("--plugins"), pluginBuildDir(), QStringLiteral("--plugins"),
                      samplePluginBuildDir(), QStringLiteral("--download"), server_.url("/killed.mkv").toString()});
        QVERIFY(player.waitForStarted());
        const QString part = folder_.filePath(QStringLiteral("killed.mkv.part"));
        // Killed once its data is on the disk and its name in the queue.
        QVERIFY(QTest::qWaitFor(
            [&] {
                const QList<DownloadRecord> kept = keptQueue();
                return QFileInfo(part).size() > 100000 && kept.size() == 1 && !kept[0].name.isEmpty();
            },
            waitMs));
        player.kill();
        QVERIFY(player.waitForFinished());
        const qint64 partSize = QFileInfo(part).size();
        QVERIFY(partSize > 0 && partSize < body.size());
        QCOMPARE(server_.requestCount(), before + 1);
        server_.setPace(0, 0);

        ZelkNimbo::releaseComponentSettings();
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        PlayerWindow window(plugins);
        DownloadManager& manager = window.views().downloads();
        QSignalSpy loaded(&manager, &DownloadManager::loaded);
        QVERIFY(loaded.wait(waitMs));
        QCOMPARE(manager.downloads().size(), 1);
        const qint64 id = manager.downloads().first().id;
        if (resumeOnStartup) {
            QVERIFY(QTest::qWaitFor([&] { return manager.find(id)->state == State::Finished; }, waitMs));
            QCOMPARE(fileBytes(folder_.filePath(QStringLiteral("killed.mkv"))), body);
            QCOMPARE(server_.requestCount(), before + 2);
            QCOMPARE(server_.requests().last().header("Range"), "bytes=" + QByteArray::number(partSize) + '-');
        } else {
            const DownloadRow* row = window.views().downloadsView()->row(id);
            QVERIFY(row);
            QCOMPARE(row->stateLabel()->text(), QStringLiteral("Paused"));
            QVERIFY(row->resumeButton()->isVisibleTo(row));
            QTest::qWait(500); // a transfer started by mistake would have asked by now
            QCOMPARE(server_.requestCount(), before + 1);
            QCOMPARE(QFileInfo(part).size(), partSize);
            QVERIFY(QTest::qWaitFor([] { return keptQueue().value(0).state == State::Paused; }, waitMs));
        }
    }

    // Names the server proposes never leave the folder, never hide, never
    // name a device, and never replace a file (or a .part) already there,
    // not even through a link planted under the name.
    void hostileNamesLandSafelyInsideTheFolder()
    {
        const QString outside = QDir(folder_.path()).absoluteFilePath(QStringLiteral("../x.mkv"));
        QVERIFY(QFile::link(outside, folder_.filePath(QStringLiteral("x.mkv"))));
        QVERIFY(writeBytes(folder_.filePath(QStringLiteral("movie.mkv")), "mine"));
        QVERIFY(writeBytes(folder_.filePath(QStringLiteral("movie (2).mkv.part")), "another download's"));
        const QList<QPair<QByteArray, QString>> cases{
            {"attachment; filename=\"../../x.mkv\"", QStringLiteral("x (2).mkv")},
            {"attachment; filename=/etc/passwd", QStringLiteral("passwd")},
            {"attachment; filename*=UTF-8''line%0Abreak.mkv; filename=\"fallback.mkv\"",
             QStringLiteral("line_break.mkv")},
            {"attachment; filename=\".bashrc\"", QStringLiteral("bashrc")},
            {"attachment; filename=CON", QStringLiteral("_CON")},
            {"attachment; filename=\"movie.mkv\"", QStringLiteral("movie (3).mkv")},
        };
        Downloads downloads(folder_.path());
        QList<qint64> ids;
        for (int i = 0; i < cases.size(); ++i) {
            const QByteArray path = "/hostile/" + QByteArray::number(i);
            server_.serve(path, file(randomBytes(300000, 10 + i), "\"h\"", cases[i].first));
            ids << downloads.add(server_.url(path));
        }
        for (int i = 0; i < cases.size(); ++i) {
            QVERIFY2(downloads.waitFor(ids[i], State::Finished), qPrintable(downloads.error(ids[i])));
            const QString path = downloads.manager->filePath(ids[i]);
            QCOMPARE(QFileInfo(path).fileName(), cases[i].second);
            QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(folder_.path()).canonicalFilePath());
            QCOMPARE(fileBytes(path), randomBytes(300000, 10 + i));
        }
        // A redirect is followed, and the name comes from where it led.
        LoopbackHttpServer::Resource moved;
        moved.status = 302;
        moved.location = server_.url("/films/redirected.mkv").toEncoded();
        server_.serve("/moved", moved);
        server_.serve("/films/redirected.mkv", file(randomBytes(200000, 20)));
        const qint64 redirected = downloads.add(server_.url("/moved"));
        QVERIFY2(downloads.waitFor(redirected, State::Finished), qPrintable(downloads.error(redirected)));
        QCOMPARE(QFileInfo(downloads.manager->filePath(redirected)).fileName(), QStringLiteral("redirected.mkv"));

        QVERIFY(!QFileInfo::exists(outside));
        QCOMPARE(fileBytes(folder_.filePath(QStringLiteral("movie.mkv"))), QByteArray("mine"));
        QCOMPARE(fileBytes(folder_.filePath(QStringLiteral("movie (2).mkv.part"))), QByteArray("another download's"));

        // Names no header can carry, made safe the same way.
        using DownloadNames::safeFileName;
        QCOMPARE(safeFileName(QStringLiteral("..")), QStringLiteral("download"));
        QCOMPARE(safeFileName(QStringLiteral("lpt9.part.mkv")), QStringLiteral("_lpt9.part.mkv"));
        QCOMPARE(safeFileName(QStringLiteral("film\u202Evkm.exe")), QStringLiteral("filmvkm.exe"));
        const QString longName = safeFileName(QString(300, QChar(0xe9)) + QStringLiteral(".mkv"));
        QVERIFY(longName.endsWith(QLatin1String(".mkv")) && longName.toUtf8().size() <= DownloadNames::maxNameBytes);
        QVERIFY(longName.toUtf8().size() > DownloadNames::maxNameBytes - 2);
    }

    // Two run at a time, the rest wait in order; pausing one lets the next
    // start, cancelling deletes the .part, removing takes the row away.
    void twoRunAtATimeAndTheButtonsDoWhatTheySay()
    {
        server_.setPace(16 * 1024, 20); // 800 kB/s: seconds to act on them mid-way
        Downloads downloads(folder_.path());
        const int before = server_.requestCount();
        QList<qint64> ids;
        for (const QByteArray name : {"one.mkv", "two.mkv", "three.mkv"}) {
            server_.serve('/' + name, file(randomBytes(8 * 1024 * 1024, quint32(ids.size()))));
            ids << downloads.add(server_.url('/' + name));
        }
        const auto receiving = [&downloads](qint64 id) { return downloads.manager->find(id)->received > 0; };
        QVERIFY(QTest::qWaitFor([&] { return receiving(ids[0]) && receiving(ids[1]); }, waitMs));
        QCOMPARE(downloads.state(ids[2]), State::Queued);
        QCOMPARE(server_.requestCount(), before + 2);

        DownloadsView view(*downloads.manager);
        QTest::mouseClick(view.row(ids[0])->pauseButton(), Qt::LeftButton);
        QVERIFY(downloads.waitFor(ids[0], State::Paused));
        QVERIFY(QTest::qWaitFor([&] { return receiving(ids[2]); }, waitMs));
        QVERIFY(QFileInfo(folder_.filePath(QStringLiteral("one.mkv.part"))).size() > 0); // paused: the data stays

        QTest::mouseClick(view.row(ids[1])->cancelButton(), Qt::LeftButton);
        QVERIFY(downloads.waitFor(ids[1], State::Cancelled));
        QVERIFY(!QFileInfo::exists(folder_.filePath(QStringLiteral("two.mkv.part"))));
        QTest::mouseClick(view.row(ids[0])->removeButton(), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return !downloads.manager->find(ids[0]); }, waitMs));
        QCOMPARE(view.row(ids[0]), nullptr);
        QVERIFY(!QFileInfo::exists(folder_.filePath(QStringLiteral("one.mkv.part"))));
        QCOMPARE(view.row(ids[2])->stateLabel()->text(), QStringLiteral("Downloading"));
    }

    void finishedDownloadsStayOrLeaveTheList_data()
    {
        QTest::addColumn<bool>("autoClear");
        QTest::newRow("kept") << false;
        QTest::newRow("cleared") << true;
    }

    // Either way the file stays and joins the library.
    void finishedDownloadsStayOrLeaveTheList()
    {
        QFETCH(bool, autoClear);
        const QByteArray body = randomBytes(1024 * 1024, 5);
        server_.serve("/a/clear%20me.webm", file(body));
        Downloads downloads(folder_.path());
        downloads.settings.autoClearDownloads = autoClear;
        QSignalSpy finished(downloads.manager.get(), &DownloadManager::finished);
        const qint64 id = downloads.add(server_.url("/a/clear%20me.webm"));
        QVERIFY(finished.wait(waitMs));
        const QString path = folder_.filePath(QStringLiteral("clear me.webm"));
        QCOMPARE(finished.first().at(1).toString(), path);
        QCOMPARE(fileBytes(path), body);
        QCOMPARE(downloads.manager->find(id) == nullptr, autoClear);
        QVERIFY(QTest::qWaitFor([&] { return downloads.writer->pending() == 0; }, waitMs));
        QVERIFY(downloads.library.contains(path));
        QCOMPARE(keptQueue().size(), autoClear ? 0 : 1);
    }

    // Failures are named in the row and leave no file: none for a 404, a
    // refused connection, a failed TLS handshake or a missing folder.
    void failuresAreNamedAndLeaveNoFile()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QUrl refused(QStringLiteral("http://127.0.0.1:%1/film.mkv").arg(closed.serverPort()));
        closed.close();
        // Plain HTTP where TLS is expected: the handshake fails.
        QTcpServer plain;
        QVERIFY(plain.listen(QHostAddress::LocalHost));
        connect(&plain, &QTcpServer::newConnection, &plain, [&plain] {
            QTcpSocket* socket = plain.nextPendingConnection();
            socket->write("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\n\r\n");
            socket->disconnectFromHost();
        });
        Downloads downloads(folder_.path());
        const qint64 missing = downloads.add(server_.url("/no/such/film.mkv"));
        const qint64 noServer = downloads.add(refused);
        const qint64 noTls = downloads.add(QUrl(QStringLiteral("https://127.0.0.1:%1/film.mkv").arg(plain.serverPort())));
        QVERIFY(downloads.waitFor(missing, State::Failed));
        QVERIFY(downloads.waitFor(noServer, State::Failed));
        QVERIFY(downloads.waitFor(noTls, State::Failed));
        QCOMPARE(downloads.error(missing), QStringLiteral("the server has no file at this address (404)"));
        QVERIFY2(downloads.error(noServer).contains(QLatin1String("refused the connection")),
                 qPrintable(downloads.error(noServer)));
        QVERIFY2(downloads.error(noTls).contains(QLatin1String("secure connection")), qPrintable(downloads.error(noTls)));

        downloads.settings.mediaFolder = folder_.filePath(QStringLiteral("gone"));
        server_.serve("/film.mkv", file(randomBytes(100000, 6)));
        const qint64 noFolder = downloads.add(server_.url("/film.mkv"));
        QVERIFY(downloads.waitFor(noFolder, State::Failed));
        QVERIFY2(downloads.error(noFolder).contains(QLatin1String("does not exist")), qPrintable(downloads.error(noFolder)));
        QCOMPARE(folderEntries(folder_.path()), QStringList());
    }

    // Typed into the view: only http and https are queued.
    void onlyHttpAndHttpsAddressesAreAccepted()
    {
        Downloads downloads(folder_.path());
        DownloadsView view(*downloads.manager);
        for (const QString& address : {QStringLiteral("ftp://127.0.0.1/film.mkv"), QStringLiteral("file:///etc/passwd"),
                                       QStringLiteral("javascript:alert(1)"), QStringLiteral("http://")}) {
            view.addressField()->setText(address);
            QTest::mouseClick(view.addButton(), Qt::LeftButton);
            QVERIFY2(view.statusLabel()->text().contains(QLatin1String("Only http and https")), qPrintable(address));
            QCOMPARE(view.addressField()->text(), address);
        }
        QCOMPARE(downloads.manager->downloads().size(), 0);
        QCOMPARE(view.rowCount(), 0);
        server_.serve("/ok.mkv", file(randomBytes(50000, 7)));
        view.addressField()->setText(server_.url("/ok.mkv").toString());
        QTest::mouseClick(view.addButton(), Qt::LeftButton);
        QCOMPARE(view.statusLabel()->text(), QString());
        QCOMPARE(view.rowCount(), 1);
    }

    // The whole chain in the window: a clip made by ffmpeg is downloaded,
    // listed as finished, joins the library and plays from its row.
    void aDownloadedClipPlaysFromItsRow()
    {
        QTemporaryDir source;
        const QString clip = makeClip(QDir(source.path()), QStringLiteral("clip.mkv"), 2.0);
        QVERIFY(!clip.isEmpty());
        server_.serve("/get?id=7", file(fileBytes(clip), "\"c\"", "attachment; filename=\"Holiday clip.mkv\""));
        QVERIFY(storeString("General", "MediaFolder", folder_.path()));
        ZelkNimbo::releaseComponentSettings();
        PluginHost plugins;
        QVERIFY(readPlayerPlugins(plugins));
        PlayerWindow window(plugins);
        window.show();
        DownloadsView* view = window.views().downloadsView();
        QVERIFY(view->addAddress(server_.url("/get?id=7").toString()));
        const qint64 id = window.views().downloads().downloads().last().id;
        QVERIFY(QTest::qWaitFor([&] { return window.views().downloads().find(id)->state == State::Finished; }, waitMs));
        const QString path = folder_.filePath(QStringLiteral("Holiday clip.mkv"));
        DownloadRow* row = view->row(id);
        QCOMPARE(row->stateLabel()->text(), QStringLiteral("Finished"));
        QCOMPARE(row->nameLabel()->text(), QStringLiteral("Holiday clip.mkv"));
        QVERIFY(QTest::qWaitFor([&] { return window.views().library().contains(path); }, waitMs));
        QSignalSpy loaded(&window.engine(), &PlaybackEngine::fileLoaded);
        QTest::mouseClick(row->openButton(), Qt::LeftButton);
        QVERIFY(loaded.wait(waitMs));
        QCOMPARE(loaded.first().first().toString(), path);
        window.close();
    }

private:
    DownloadFixture fixture_;
    LoopbackHttpServer& server_ = fixture_.server;
    QDir& folder_ = fixture_.folder;
};

QTEST_MAIN(PlayerDownloadsTest)
#include "player_downloads_test.moc"
