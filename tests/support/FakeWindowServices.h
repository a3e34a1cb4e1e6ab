#pragma once

#include "ui/common/WindowServices.h"

#include <QList>
#include <QStringList>

#include <deque>
#include <functional>

namespace quaredit {

// Window-system services for tests: answers from scripts queued by the test,
// and a record of everything the program showed. Calls without a script get
// a harmless answer and are still recorded, so a test can see an unexpected
// question.
class FakeWindowServices : public WindowServices {
public:
    struct Message {
        QString text;
        QString caption;
        MsgIcon icon = MsgIcon::None;
        MsgButtons buttons = MsgButtons::Ok;
        bool operator==(const Message&) const = default;
    };

    // Scripting: each call consumes the oldest answer of its kind.
    void expectMessage(MsgResult answer) { messageAnswers.push_back(answer); }
    void answerOpen(std::optional<QString> path) { openAnswers.push_back(std::move(path)); }
    void answerSave(std::optional<QString> path) { saveAnswers.push_back(std::move(path)); }
    // The script gets the shown dialog, may drive its widgets and returns
    // QDialog::Accepted or QDialog::Rejected.
    void onDialog(std::function<int(QDialog&)> script) {
        dialogScripts.push_back(std::move(script));
    }

    // Runs `step` while the next dialog or box is open, as an event that
    // arrives during its nested event loop would run.
    void duringNextModal(std::function<void()> step) { whileOpen = std::move(step); }

    // Answers scripted but never asked for.
    int pendingAnswers() const;

    MsgResult messageBox(const QString& text, const QString& caption, MsgIcon icon,
                         MsgButtons buttons) override;
    void plainMessage(const QString& text) override;
    void plainMessage(const QString& text, const QString& detail) override;
    std::optional<QString> openFileName(const FileDialogOptions& options) override;
    std::optional<QString> saveFileName(const FileDialogOptions& options) override;
    int execDialog(QDialog& dialog) override;

    // Recording.
    QList<Message> messages;
    QStringList plainMessages;
    QStringList plainDetails; // the detail line of each plain message, empty without one
    QList<FileDialogOptions> openRequests;
    QList<FileDialogOptions> saveRequests;
    QStringList dialogs; // each shown dialog's objectName, or its class name when it has none

private:
    void runWhileOpen();

    std::function<void()> whileOpen;
    std::deque<MsgResult> messageAnswers;
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<std::function<int(QDialog&)>> dialogScripts;
};

} // namespace quaredit
