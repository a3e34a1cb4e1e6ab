#include "platform/settings/IniKeyStore.h"
#include "platform/settings/SettingsLocation.h"
#include "ui/common/QtWindowServices.h"
#include "ui/common/ProgramArt.h"
#include "ui/app/StartupTiming.h"
#include "ui/app/TPFrm.h"

#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QMessageBox>
#include <exception>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    quaredit::applyProgramIdentity(app);
    try {
        quaredit::IniKeyStore store(quaredit::settingsFilePath());
        quaredit::QtWindowServices services;
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
        return 1;
    }
}
