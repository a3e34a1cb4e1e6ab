// Saves and reads against an unlucky or hostile file system: links where a
// backup goes, files planted beside the file, files nobody may write,
// another user's files, a full disk, a file swapped for a FIFO while it is
// read. Nothing may be written through a link, lost, or hang.

#include "core/documents/FileSafety.h"
#include "core/documents/TextFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <functional>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace quaredit;

namespace {

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

bool isLink(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

constexpr uid_t Nobody = 65534;

// Runs `step` as an ordinary user: in a child that drops root when this
// runs as root, in this process otherwise. The child's answer is its status.
bool asOrdinaryUser(const std::function<bool()>& step) {
    if (::geteuid() != 0)
        return step();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
            ::_exit(3);
        ::_exit(step() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

class TestFileSafety : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void init() { ::alarm(60); }
    void cleanup() { ::alarm(0); }

    void backupReplacesALinkInsteadOfWritingThroughIt_data() {
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("link to another file") << true;
        QTest::newRow("link to a file not yet there") << false;
    }
    void backupReplacesALinkInsteadOfWritingThroughIt() {
        QFETCH(bool, targetExists);
        QTemporaryDir here;
        const QString file = here.filePath("f.asm");
        const QString bak = here.filePath("f.bak");
        const QString other = here.filePath("other.txt");
        write(file, "old\r\n");
        if (targetExists)
            write(other, "precious\r\n");
        QVERIFY(QFile::link(other, bak));
        const WriteOutcome outcome = saveTextFile(file, "new", bak);
        QVERIFY2(!outcome.error, qPrintable(outcome.error.value_or(QString())));
        QCOMPARE(read(file), QByteArray("new\r\n"));
        if (targetExists)
            QCOMPARE(read(other), QByteArray("precious\r\n"));
        else
            QVERIFY(!QFile::exists(other));
        // The link itself gave way to the backup.
        QVERIFY(!isLink(bak));
        QCOMPARE(read(bak), QByteArray("old\r\n"));
    }

    void plantedTemporaryDoesNotBlockTheSave_data() {
        QTest::addColumn<QString>("planted");
        QTest::newRow("the old fixed name") << "f.asm.quaredit-save";
        QTest::newRow("a name like the new ones") << "f.asm.quaredit-save-AAAAAA";
    }
    void plantedTemporaryDoesNotBlockTheSave() {
        QFETCH(QString, planted);
        QTemporaryDir here;
        const QString file = here.filePath("f.asm");
        write(file, "old\r\n");
        // What another user plants cannot be removed by this one: a folder
        // with something in it cannot be removed by root either.
        QVERIFY(QDir(here.path()).mkpath(planted + "/inside"));
        const auto error = saveTextFile(file, "new");
        QVERIFY2(!error, qPrintable(error.value_or(QString())));
        QCOMPARE(read(file), QByteArray("new\r\n"));
        QVERIFY(QFileInfo(here.filePath(planted)).isDir());
    }

    void whatAKilledSaveLeftIsRemovedByTheNextSave() {
        QTemporaryDir here;
        const QString file = here.filePath("f.asm");
        write(file, "old\r\n");
        write(file + ".quaredit-save-x1Y2z3", "half");
        write(here.filePath("f.bak.quaredit-save-q9W8e7"), "half");
        QVERIFY(!saveTextFile(file, "new", here.filePath("f.bak")).error);
        QCOMPARE(QDir(here.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"f.asm", "f.bak"}));
    }

    void fileNobodyMayWriteIsRefused_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("read-only for all") << 0444;
        QTest::newRow("no bits at all") << 0000;
        QTest::newRow("executable, not writable") << 0555;
    }
    void fileNobodyMayWriteIsRefused() {
        QFETCH(int, mode);
        QTemporaryDir here;
        const QString file = here.filePath("f.asm");
        const QString bak = here.filePath("f.bak");
        write(file, "old\r\n");
        QVERIFY(::chmod(QFile::encodeName(file).constData(), mode_t(mode)) == 0);
        const WriteOutcome outcome = saveTextFile(file, "new", bak);
        QVERIFY(outcome.error);
        QVERIFY2(outcome.error->contains("<" + file + "> is read-only"),
                 qPrintable(*outcome.error));
        QVERIFY(::chmod(QFile::encodeName(file).constData(), 0644) == 0);
        QCOMPARE(read(file), QByteArray("old\r\n"));
        QVERIFY(!QFile::exists(bak));
    }

    void ordinaryUserCannotReplaceWhatIsNotTheirs_data() {
        QTest::addColumn<QString>("owner");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("reason");
        QTest::newRow("own file made read-only") << "self" << 0444 << "is read-only";
        QTest::newRow("root's file in a shared folder") << "root" << 0644 << "is read-only";
        QTest::newRow("root's file that anyone may write") << "root" << 0666 << "another user";
    }
    void ordinaryUserCannotReplaceWhatIsNotTheirs() {
        QFETCH(QString, owner);
        QFETCH(int, mode);
        QFETCH(QString, reason);
        if (owner == "root" && ::geteuid() != 0)
            QSKIP("needs root to give the file to another user");
        QTemporaryDir here;
        QVERIFY(::chmod(QFile::encodeName(here.path()).constData(), 01777) == 0);
        const QString file = here.filePath("f.asm");
        write(file, "old\r\n");
        if (owner == "self" && ::geteuid() == 0)
            QVERIFY(::chown(QFile::encodeName(file).constData(), Nobody, Nobody) == 0);
        QVERIFY(::chmod(QFile::encodeName(file).constData(), mode_t(mode)) == 0);
        const bool refused = asOrdinaryUser([&] {
            const auto error = saveTextFile(file, "new");
            return error && error->contains(reason);
        });
        QVERIFY(refused);
        QCOMPARE(read(file), QByteArray("old\r\n"));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(file).constData(), &st) == 0);
        QCOMPARE(int(st.st_mode & 07777), mode);
    }

    void readOnlyFolderIsNamed() {
        QTemporaryDir here;
        const QString folder = here.filePath("locked");
        QVERIFY(QDir().mkpath(folder));
        if (::geteuid() == 0)
            QVERIFY(::chmod(QFile::encodeName(here.path()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
        const QString file = folder + "/new.asm";
        QString error;
        const bool named = asOrdinaryUser([&] {
            const auto e = saveTextFile(file, "new");
            return e && e->contains("folder <" + folder + ">");
        });
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0755) == 0);
        QVERIFY(named);
    }

    // A disk with room for the new text and not for a copy of the old one
    // as well: the text must be saved (with its backup, which costs nothing).
    void nearlyFullDiskSavesTheTextFirst() {
        if (::geteuid() != 0)
            QSKIP("needs root to mount a small file system");
        QTemporaryDir here;
        const QByteArray mountPoint = QFile::encodeName(here.path());
        if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=256k") != 0)
            QSKIP("cannot mount a small file system here");
        const auto unmount = qScopeGuard([&] { ::umount2(mountPoint.constData(), MNT_DETACH); });
        const QString file = here.filePath("f.asm");
        const QByteArray old = QByteArray(98, 'o').append("\r\n").repeated(800); // 80,000 bytes
        write(file, old);
        // Fill the disk but for a little more than one text.
        const QString filler = here.filePath("filler");
        {
            QFile f(filler);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const QByteArray block(4096, 'f');
            while (f.write(block) == block.size() && f.flush()) {
            }
        }
        QFile::resize(filler, QFileInfo(filler).size() - 100 * 1024);
        const QByteArray text = QByteArray(98, 'n').append("\r\n").repeated(800);
        const WriteOutcome outcome = saveTextFile(file, text, here.filePath("f.bak"));
        QVERIFY2(!outcome.error, qPrintable(outcome.error.value_or(QString())));
        QCOMPARE(read(file), text);
        QCOMPARE(read(here.filePath("f.bak")), old);
    }

    // Another program swaps the file for a FIFO and back as fast as it can;
    // every read must come back, with the text or a refusal.
    void fileSwappedForAFifoNeverBlocksARead() {
        QTemporaryDir here;
        const QString file = here.filePath("f.asm");
        const QByteArray fileName = QFile::encodeName(file);
        const QByteArray regular = QFile::encodeName(here.filePath("regular"));
        const QByteArray fifo = QFile::encodeName(here.filePath("fifo"));
        std::atomic<bool> stop = false;
        std::thread swapper([&] {
            while (!stop) {
                write(QFile::decodeName(regular), "text\r\n");
                ::rename(regular.constData(), fileName.constData());
                ::mkfifo(fifo.constData(), 0600);
                ::rename(fifo.constData(), fileName.constData());
            }
        });
        int texts = 0;
        int refusals = 0;
        QElapsedTimer clock;
        clock.start();
        // Until both were met many times: reads of the file and of the FIFO.
        while ((texts < 200 || refusals < 200) && clock.elapsed() < 20000) {
            const LoadedText loaded = loadTextFile(file);
            if (loaded.ok())
                ++texts;
            else
                ++refusals;
        }
        stop = true;
        swapper.join();
        QVERIFY2(texts > 0 && refusals > 0,
                 qPrintable(QString("%1 texts, %2 refusals").arg(texts).arg(refusals)));
    }

    void specialFilesAreJudgedOnceOpened_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("missing") << "missing";
    }
    void specialFilesAreJudgedOnceOpened() {
        QFETCH(QString, kind);
        QTemporaryDir here;
        const QString path = here.filePath("x");
        if (kind == "fifo")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(path));
        const FileRead r = readRegularFile(path, 100);
        QVERIFY(!r.ok());
        QVERIFY(r.bytes.isEmpty());
        const FileNature expected = kind == "fifo"     ? FileNature::Special
                                    : kind == "folder" ? FileNature::Folder
                                                       : FileNature::Missing;
        QCOMPARE(r.nature, expected);
    }
};

QTEST_APPLESS_MAIN(TestFileSafety)
#include "tst_filesafety.moc"
