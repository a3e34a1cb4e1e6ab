#pragma once

#include "platform/compile/ProcessStarter.h"

#include <QList>

namespace quaredit {

// Records what would have been started and answers with `succeeds`.
class FakeProcessStarter : public ProcessStarter {
public:
    struct Start {
        QString program;
        QStringList arguments;
        QString workingFolder;
        ShowState show = ShowState::Normal;
        bool console = false;
        bool operator==(const Start&) const = default;
    };

    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingFolder, ShowState show) override {
        starts.append({program, arguments, workingFolder, show, false});
        return succeeds;
    }
    bool startConsole(const QString& batchFile, const QStringList& arguments,
                      const QString& workingFolder) override {
        starts.append({batchFile, arguments, workingFolder, ShowState::Maximized, true});
        return succeeds;
    }
    QString consoleFailure() const override { return succeeds ? QString() : failure; }

    QList<Start> starts;
    bool succeeds = true;
    QString failure; // what consoleFailure() says after a failed start
};

} // namespace quaredit
