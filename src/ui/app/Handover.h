#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace quaredit {

class InstanceServer;
class TPFrm;

// Files handed over by a later start open as tabs of the window, as a file
// named on the command line does (not added to the recent files), and the
// window comes to the front. A hand-over that arrives while a dialog or a
// message box is open waits until the last one is closed: opening a tab
// under a Save As or a "Save Changes" question would change the document
// the answer is about. What cannot be opened is said in one message.
class HandoverQueue : public QObject {
    Q_OBJECT
public:
    explicit HandoverQueue(TPFrm& window);

    // A later start's files; none asks the window to come to the front.
    // `token` is the start's activation token, empty without one.
    void receive(const QStringList& files, const QString& token = {});
    int waiting() const { return int(waiting_.size()); }

private:
    bool dialogOpen() const;
    void openWaiting();

    TPFrm& window_;
    QList<QStringList> waiting_;
    QString token_; // the latest start's, used when the window comes to the front
    QTimer retry_;
};

void acceptHandovers(InstanceServer& server, TPFrm& window);

// Lets the next activation request of this program carry the activation
// token a later start handed over, as the desktop `platformName` expects it:
// on Wayland the compositor raises a window only with a token, on X11 the
// startup id ends the launcher's busy cursor. Anything else ignores it.
void useActivationToken(const QString& platformName, const QString& token);

} // namespace quaredit
