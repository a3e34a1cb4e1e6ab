#include "ui/common/QtWindowServices.h"

#include "core/app/FileFilter.h"
#include "core/app/ProductName.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QTextDocument>

namespace quaredit {

namespace {

QMessageBox::Icon qtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Error:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

std::optional<QString> runFileDialog(const FileDialogOptions& options, bool save) {
    QFileDialog dialog(QApplication::activeWindow(), options.title, options.initialFolder,
                       qtFilterFromDelphi(options.filter));
    // Qt's own dialog honours the default suffix and the filter everywhere;
    // the portal dialogs of some desktops do not.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(options.defaultExtension);
    if (!options.initialName.isEmpty())
        dialog.selectFile(options.initialName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        return std::nullopt;
    return files.first();
}

// A box dismissed without a button (Escape, close box) gives the most
// cautious answer it offers.
MsgResult dismissedAnswer(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgResult::Ok;
    case MsgButtons::YesNo:
        return MsgResult::No;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
        break;
    }
    return MsgResult::Cancel;
}

} // namespace

MsgResult QtWindowServices::messageBox(const QString& text, const QString& caption, MsgIcon icon,
                                       MsgButtons buttons) {
    const ModalScope open(*this);
    QMessageBox box(qtIcon(icon), caption, text, qtButtons(buttons), QApplication::activeWindow());
    // Texts come from file names and the settings: never interpret them as markup.
    box.setTextFormat(Qt::PlainText);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgResult::Ok;
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    default:
        return dismissedAnswer(buttons);
    }
}

void QtWindowServices::plainMessage(const QString& text) {
    messageBox(text, ProductName, MsgIcon::None, MsgButtons::Ok);
}

void QtWindowServices::plainMessage(const QString& text, const QString& detail) {
    const ModalScope open(*this);
    QMessageBox box(QMessageBox::NoIcon, ProductName, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    // The detail's label guesses its format from the text, and an escaped
    // "&gt;" with no tag around it reads as plain text, shown as typed:
    // made rich text on purpose, the escapes are shown as characters.
    box.setInformativeText(Qt::convertFromPlainText(detail, Qt::WhiteSpaceNormal));
    box.exec();
}

std::optional<QString> QtWindowServices::openFileName(const FileDialogOptions& options) {
    const ModalScope open(*this);
    return runFileDialog(options, false);
}

std::optional<QString> QtWindowServices::saveFileName(const FileDialogOptions& options) {
    const ModalScope open(*this);
    return runFileDialog(options, true);
}

int QtWindowServices::execDialog(QDialog& dialog) {
    const ModalScope open(*this);
    return dialog.exec() == QDialog::Accepted ? QDialog::Accepted : QDialog::Rejected;
}

} // namespace quaredit
