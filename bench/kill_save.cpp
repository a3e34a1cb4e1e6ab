// Kills a process in the middle of saving a 1 MB source, a few hundred
// times, and checks after every kill what a user would find: the source
// whole (its old or its new text, never a mix or a cut), and a backup.
//
//     build/bench/kill_save [kills (300)] [folder (a temporary one)]
//
// Each child saves as the editor does with backups on: the text is written
// to a temporary file, the file on disk becomes the ".bak", then the
// temporary file replaces it. Children alternate between two texts, so both
// the old and the new content are seen.

#include "core/documents/FileSafety.h"
#include "core/documents/Paths.h"
#include "core/documents/TextFile.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace quaredit;

namespace {

QByteArray sourceText(char fill) {
    QByteArray line(98, fill);
    line.append("\r\n");
    return line.repeated(10000); // 1,000,000 bytes
}

QByteArray readAll(const QString& path, bool* exists) {
    QFile f(path);
    *exists = f.open(QIODevice::ReadOnly);
    return *exists ? f.readAll() : QByteArray();
}

void saveAsTheEditorDoes(const QString& file, const QString& backup, const QByteArray& text) {
    if (const auto error = saveTextFile(file, text, backup).error) {
        std::fprintf(stderr, "%s\n", qPrintable(*error));
        std::exit(2);
    }
}

// The child: tells the parent it is about to save, then saves for ever.
int child(const QString& file, int readyFd) {
    const QByteArray texts[2] = {sourceText('a'), sourceText('b')};
    const QString backup = replaceExtension(file, QStringLiteral(".bak"));
    const char ready = 1;
    if (::write(readyFd, &ready, 1) != 1)
        return 3;
    for (int i = 0;; ++i)
        saveAsTheEditorDoes(file, backup, texts[i % 2]);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0)
        return child(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));

    const int kills = argc > 1 ? std::atoi(argv[1]) : 300;
    QTemporaryDir temporary;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    const QString file = folder + QStringLiteral("/prog.asm");
    const QString backup = folder + QStringLiteral("/prog.bak");
    const QByteArray a = sourceText('a');
    const QByteArray b = sourceText('b');

    // One save timed in this process sets the range of the kill delays.
    QElapsedTimer timer;
    timer.start();
    saveAsTheEditorDoes(file, backup, a);
    saveAsTheEditorDoes(file, backup, a);
    const qint64 saveMicros = std::max<qint64>(timer.nsecsElapsed() / 2000, 100);

    std::mt19937 random(20261208);
    std::uniform_int_distribution<qint64> delay(0, 3 * saveMicros);
    int oldOrNew[2] = {0, 0};
    int broken = 0;
    int withoutBackup = 0;
    int temporariesLeft = 0;
    timer.restart();
    for (int k = 0; k < kills; ++k) {
        int ready[2];
        if (::pipe(ready) != 0)
            return 1;
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(ready[0]);
            const QByteArray fd = QByteArray::number(ready[1]);
            ::execl("/proc/self/exe", argv[0], "--child", QFile::encodeName(file).constData(),
                    fd.constData(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(ready[1]);
        char byte = 0;
        const bool started = ::read(ready[0], &byte, 1) == 1;
        ::close(ready[0]);
        if (started)
            ::usleep(useconds_t(delay(random)));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);

        bool exists = false;
        const QByteArray onDisk = readAll(file, &exists);
        if (onDisk == a)
            ++oldOrNew[0];
        else if (onDisk == b)
            ++oldOrNew[1];
        else
            ++broken;
        bool backupExists = false;
        const QByteArray backupBytes = readAll(backup, &backupExists);
        if (!backupExists || (backupBytes != a && backupBytes != b))
            ++withoutBackup;
        const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        if (std::any_of(names.begin(), names.end(), [&](const QString& name) {
                return isSaveTemporaryOf(file, name) || isSaveTemporaryOf(backup, name);
            }))
            ++temporariesLeft;
    }
    const double seconds = double(timer.elapsed()) / 1000;

    // The next save of the file takes away what the killed ones left.
    saveAsTheEditorDoes(file, backup, a);
    const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);

    std::printf("one save of a 1 MB source with its backup: %.1f ms\n", double(saveMicros) / 1000);
    std::printf("kills: %d in %.1f s (each after 0 to %.1f ms of saving)\n", kills, seconds,
                3.0 * double(saveMicros) / 1000);
    std::printf("source whole after a kill: %d (old text %d, new text %d); cut or mixed: %d\n",
                oldOrNew[0] + oldOrNew[1], oldOrNew[0], oldOrNew[1], broken);
    std::printf("backup missing or not whole after a kill: %d\n", withoutBackup);
    std::printf("kills that left a temporary file: %d; after the next save, files: %s\n",
                temporariesLeft, qPrintable(left.join(QStringLiteral(", "))));
    const bool sound =
        broken == 0 && withoutBackup == 0 &&
        left == QStringList({QStringLiteral("prog.asm"), QStringLiteral("prog.bak")});
    std::printf("%s\n", sound ? "every kill left the old or the new file and a backup"
                              : "FAILED: a kill lost data");
    return sound ? 0 : 1;
}
