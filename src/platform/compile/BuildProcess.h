#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QProcess;

namespace quaredit {

// A build run as a child of the editor, without a terminal: its standard
// output and error merged in their order, read as they come. The build gets
// a process group of its own, so that stopping it ends everything it
// started (an assembler under Wine, a hung tool), whoever holds its output.
class BuildProcess : public QObject {
    Q_OBJECT
public:
    explicit BuildProcess(QObject* parent = nullptr);
    // Ends a build still running, without waiting more than a moment.
    ~BuildProcess() override;

    // False when the program could not be started; failure() says why.
    bool start(const QString& program, const QStringList& arguments, const QString& folder);
    bool running() const;
    // Kills the build's process group; finished() follows with `stopped`.
    void stop();
    QString failure() const { return failure_; }

signals:
    void output(const QByteArray& bytes);
    void finished(int exitStatus, bool stopped);

private:
    void killGroup();

    QProcess* process_ = nullptr;
    qint64 group_ = 0;
    bool stopped_ = false;
    QString failure_;
};

// Why the native script cannot run (missing, not executable), as the F9
// "error" box's detail; "-" for an argument the compile command refuses
// itself; empty when it can run.
QString buildScriptProblem(const QString& script, const QStringList& arguments);

// The argument vector that runs a build file without a terminal (the
// messages panel): "compil.sh <name>", or "wine cmd /c compil.bat <name>"
// with Wine looked for in `searchPath` (PATH when empty). Empty, with the
// detail the console start would give in `failure`, when it cannot run.
QStringList buildCommandFor(const QString& script, const QStringList& arguments,
                            const QStringList& searchPath, QString& failure);

// The Wine prefix whose drives the build's DOS paths name: $WINEPREFIX, or
// ~/.wine as Wine itself defaults.
QString winePrefix();

} // namespace quaredit
