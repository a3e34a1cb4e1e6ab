#include "platform/compile/BuildProcess.h"

#include "core/compile/CompileRun.h"
#include "core/documents/FileSafety.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace quaredit {

BuildProcess::BuildProcess(QObject* parent) : QObject(parent) {}

BuildProcess::~BuildProcess() {
    if (running()) {
        process_->disconnect(this);
        killGroup();
        process_->waitForFinished(2000);
    }
}

bool BuildProcess::start(const QString& program, const QStringList& arguments,
                         const QString& folder) {
    failure_.clear();
    stopped_ = false;
    delete process_;
    process_ = new QProcess(this);
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->setInputChannelMode(QProcess::ManagedInputChannel);
    process_->setWorkingDirectory(folder);
    // Its own group: a kill of the group reaches the children too, and the
    // terminal's Ctrl+C of the editor does not reach the build.
    process_->setChildProcessModifier([] { ::setpgid(0, 0); });
    connect(process_, &QProcess::readyReadStandardOutput, this,
            [this] { emit output(process_->readAllStandardOutput()); });
    connect(process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        const QByteArray rest = process_->readAllStandardOutput();
        if (!rest.isEmpty())
            emit output(rest);
        // Whatever it left behind in its group (a child in the background
        // holding the output) ends with it.
        killGroup();
        group_ = 0;
        emit finished(status == QProcess::NormalExit ? code : -1, stopped_);
    });
    process_->start(program, arguments);
    if (!process_->waitForStarted(5000)) {
        failure_ = process_->errorString();
        delete process_;
        process_ = nullptr;
        return false;
    }
    process_->closeWriteChannel();
    group_ = process_->processId();
    return true;
}

bool BuildProcess::running() const {
    return process_ && process_->state() != QProcess::NotRunning;
}

void BuildProcess::stop() {
    if (!running())
        return;
    stopped_ = true;
    killGroup();
}

void BuildProcess::killGroup() {
    if (group_ > 0)
        ::kill(-pid_t(group_), SIGKILL);
}

QString buildScriptProblem(const QString& script, const QStringList& arguments) {
    for (const QString& a : arguments) {
        if (!isSafeScriptArgument(a))
            return QStringLiteral("-"); // refused by the compile command already
    }
    if (!isRegularFile(script))
        return consoleMissingDetail(ConsoleMissing::BatchFile, script);
    if (!QFileInfo(script).isExecutable())
        return consoleMissingDetail(ConsoleMissing::NotExecutable, script);
    return {};
}

QStringList buildCommandFor(const QString& script, const QStringList& arguments,
                            const QStringList& searchPath, QString& failure) {
    failure.clear();
    if (isNativeBuildScript(script)) {
        failure = buildScriptProblem(script, arguments);
        if (failure == QLatin1String("-"))
            failure.clear();
        if (!failure.isEmpty())
            return {};
        return QStringList{script} + arguments;
    }
    if (!isSafeBatchText(script)) {
        failure = consoleMissingDetail(ConsoleMissing::UnsafeBatchPath, script);
        return {};
    }
    if (!isRegularFile(script)) {
        failure = consoleMissingDetail(ConsoleMissing::BatchFile, script);
        return {};
    }
    for (const QString& a : arguments) {
        if (!isSafeBatchArgument(a))
            return {};
    }
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"), searchPath);
    if (wine.isEmpty()) {
        failure = consoleMissingDetail(ConsoleMissing::Interpreter, script);
        return {};
    }
    return QStringList{wine, QStringLiteral("cmd"), QStringLiteral("/c"), dosPathOf(script)} +
           arguments;
}

QString winePrefix() {
    const QString set = qEnvironmentVariable("WINEPREFIX");
    return set.isEmpty() ? QDir::homePath() + QStringLiteral("/.wine") : set;
}

} // namespace quaredit
