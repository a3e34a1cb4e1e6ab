#include "FakeWindowServices.h"

#include <QDialog>

#include <utility>

namespace quaredit {

namespace {

template <typename T> std::optional<T> takeFront(std::deque<T>& queue) {
    if (queue.empty())
        return std::nullopt;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

MsgResult unscriptedAnswer(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
        return MsgResult::Ok;
    case MsgButtons::YesNo:
        return MsgResult::No;
    case MsgButtons::YesNoCancel:
        break;
    }
    return MsgResult::Cancel;
}

bool offers(MsgButtons buttons, MsgResult answer) {
    switch (buttons) {
    case MsgButtons::Ok:
        return answer == MsgResult::Ok;
    case MsgButtons::OkCancel:
        return answer == MsgResult::Ok || answer == MsgResult::Cancel;
    case MsgButtons::YesNo:
        return answer == MsgResult::Yes || answer == MsgResult::No;
    case MsgButtons::YesNoCancel:
        break;
    }
    return answer != MsgResult::Ok;
}

} // namespace

int FakeWindowServices::pendingAnswers() const {
    return int(messageAnswers.size() + openAnswers.size() + saveAnswers.size() +
               dialogScripts.size());
}

void FakeWindowServices::runWhileOpen() {
    if (whileOpen)
        std::exchange(whileOpen, nullptr)();
}

MsgResult FakeWindowServices::messageBox(const QString& text, const QString& caption, MsgIcon icon,
                                         MsgButtons buttons) {
    const ModalScope open(*this);
    messages.append({text, caption, icon, buttons});
    runWhileOpen();
    const std::optional<MsgResult> answer = takeFront(messageAnswers);
    if (!answer)
        return unscriptedAnswer(buttons);
    // A scripted button the box does not have is a fault in the test.
    if (!offers(buttons, *answer))
        qWarning("FakeWindowServices: scripted answer is not a button of the box \"%s\"",
                 qPrintable(text));
    return *answer;
}

void FakeWindowServices::plainMessage(const QString& text) {
    const ModalScope open(*this);
    runWhileOpen();
    plainMessages.append(text);
    plainDetails.append(QString());
}

void FakeWindowServices::plainMessage(const QString& text, const QString& detail) {
    const ModalScope open(*this);
    runWhileOpen();
    plainMessages.append(text);
    plainDetails.append(detail);
}

std::optional<QString> FakeWindowServices::openFileName(const FileDialogOptions& options) {
    const ModalScope open(*this);
    openRequests.append(options);
    runWhileOpen();
    return takeFront(openAnswers).value_or(std::nullopt);
}

std::optional<QString> FakeWindowServices::saveFileName(const FileDialogOptions& options) {
    const ModalScope open(*this);
    saveRequests.append(options);
    runWhileOpen();
    return takeFront(saveAnswers).value_or(std::nullopt);
}

int FakeWindowServices::execDialog(QDialog& dialog) {
    const ModalScope open(*this);
    dialogs.append(dialog.objectName().isEmpty()
                       ? QString::fromLatin1(dialog.metaObject()->className())
                       : dialog.objectName());
    const std::optional<std::function<int(QDialog&)>> script = takeFront(dialogScripts);
    int result = QDialog::Rejected;
    dialog.show();
    runWhileOpen();
    if (script && *script)
        result = (*script)(dialog);
    dialog.hide();
    result = result == QDialog::Accepted ? QDialog::Accepted : QDialog::Rejected;
    dialog.setResult(result);
    return result;
}

} // namespace quaredit
