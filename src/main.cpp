#include "platform/settings/IniKeyStore.h"
#include "platform/settings/SettingsLocation.h"
#include "ui/app/QtWindowServices.h"
#include "ui/app/StartupTiming.h"
#include "ui/app/TPFrm.h"

#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QMessageBox>
#include <csignal>
#include <exception>

int main(int argc, char* argv[]) {
    // Past the file-size limit a write fails and is reported like a full
    // disk, instead of the signal ending the program with the text unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    app.setApplicationDisplayName(quaredit::TPFrm::ApplicationTitle);
    try {
        quaredit::IniKeyStore store(quaredit::settingsFilePath());
        quaredit::QtWindowServices services;
        store.setProblemReporter([&services](const QString& problem) {
            services.messageBox(problem, QStringLiteral("File Error"), quaredit::MsgIcon::Warning,
                                quaredit::MsgButtons::Ok);
        });
        quaredit::TPFrmContext context;
        context.store = &store;
        context.services = &services;
        context.programFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
        quaredit::TPFrm window(context);
        quaredit::reportFirstPaint(window.editorWidget()->viewport());
        window.startUp(app.arguments());
        window.createDialogsAfterFirstPaint();
        return app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, quaredit::TPFrm::ApplicationTitle, QString::fromLocal8Bit(e.what()));
        return 0;
    }
}
