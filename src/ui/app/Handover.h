#pragma once

#include <QList>
#include <QObject>
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
    void receive(const QStringList& files);
    int waiting() const { return int(waiting_.size()); }

private:
    bool dialogOpen() const;
    void openWaiting();

    TPFrm& window_;
    QList<QStringList> waiting_;
    QTimer retry_;
};

void acceptHandovers(InstanceServer& server, TPFrm& window);

} // namespace quaredit
