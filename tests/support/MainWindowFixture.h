#pragma once

#include "FakeProcessStarter.h"
#include "FakeShellAssociation.h"
#include "FakeWindowServices.h"
#include "core/settings/MemoryKeyStore.h"
#include "ui/app/TPFrm.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class QsciScintilla;

namespace quaredit {

// A real main window over an in-memory settings store, scripted window
// services and recording platform services, with a temporary folder for
// files and for the program's own folder.
struct MainWindowFixture {
    QTemporaryDir dir;
    MemoryKeyStore store;
    FakeWindowServices services;
    FakeProcessStarter processes;
    FakeShellAssociation association;
    std::unique_ptr<TPFrm> window;
    int quitCalls = 0;

    // With `startUp`, the window starts as a returning user's (no first
    // launch). `starter` replaces the recording process starter.
    explicit MainWindowFixture(bool startUp = true, const QStringList& arguments = {},
                               ProcessStarter* starter = nullptr);
    ~MainWindowFixture();

    QString path(const QString& name) const { return dir.filePath(name); }
    QString writeFile(const QString& name, const QByteArray& bytes) const;
    static QByteArray readFile(const QString& path);

    QsciScintilla* editor() const;
    QString tabCaption(int i) const;
    QStringList tabCaptions() const;
    // Types text into the editor as key presses.
    void type(const QString& text) const;
};

} // namespace quaredit
