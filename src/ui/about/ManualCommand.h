#pragma once

#include <QDialog>
#include <QString>

class QAction;
class QTextBrowser;

namespace quaredit {

class WindowServices;

// The window that shows the user manual, beside the main window: links
// inside the manual move within it, links to the web or to mail go to the
// desktop's programs.
class TManualFrm : public QDialog {
    Q_OBJECT
public:
    explicit TManualFrm(QWidget* parent = nullptr);
    void showManual(const QString& path);
    QTextBrowser* browser() const { return Browser; }

private:
    QTextBrowser* Browser;
    bool placed_ = false;
};

// Help > "&Contents": opens the manual installed with the program
// ("manual.html" among the program's data files).
class ManualCommand : public QObject {
    Q_OBJECT
public:
    ManualCommand(WindowServices& services, QString manualPath, QAction* command,
                  QWidget* parentWindow);

    void MNU_Help_ContentsClick();
    TManualFrm* window() const { return window_; }

private:
    WindowServices& services_;
    QString manualPath_;
    QWidget* parentWindow_;
    TManualFrm* window_ = nullptr; // made on first use, a child of the main window
};

inline const QString ManualFileName = QStringLiteral("manual.html");

} // namespace quaredit
