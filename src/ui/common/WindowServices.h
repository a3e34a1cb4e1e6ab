#pragma once

#include <QString>

#include <optional>

class QDialog;

namespace quaredit {

enum class MsgIcon { None, Error, Question, Information, Warning };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

struct FileDialogOptions {
    QString filter; // "Desc|*.a;*.b|Desc2|*.c", see core/app/FileFilter.h
    QString title;
    QString initialName;      // file name shown in the name box (may be empty)
    QString defaultExtension; // e.g. "asm" (without "*."), appended to a typed name without one
    QString initialFolder;    // empty: the current folder
};

// Everything commands need from the window system that would block a test:
// commands go through this instead of calling QMessageBox or QFileDialog, so a
// test can answer the question and see what was asked.
class WindowServices {
public:
    virtual ~WindowServices() = default;
    virtual MsgResult messageBox(const QString& text, const QString& caption, MsgIcon icon,
                                 MsgButtons buttons) = 0;
    // Plain message dialog: caption "Quaro Program Editor v2.0", OK.
    virtual void plainMessage(const QString& text) = 0;
    // The same box with a second, smaller line that explains it.
    virtual void plainMessage(const QString& text, const QString& detail) = 0;
    virtual std::optional<QString> openFileName(const FileDialogOptions& options) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogOptions& options) = 0;
    // Shows a modal dialog and returns QDialog::Accepted or QDialog::Rejected.
    virtual int execDialog(QDialog& dialog) = 0;

    // How many of the dialogs and boxes above are open now. Their nested
    // event loops run everything else the program does: what would change
    // the documents under a dialog (a hand-over, a reload) waits for none.
    int modalDepth() const { return modalDepth_; }

protected:
    // Counts one open dialog while it lives: every implementation wraps
    // each call above in one.
    class ModalScope {
    public:
        explicit ModalScope(WindowServices& services) : services_(services) {
            ++services_.modalDepth_;
        }
        ~ModalScope() { --services_.modalDepth_; }
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;

    private:
        WindowServices& services_;
    };

private:
    int modalDepth_ = 0;
};

} // namespace quaredit
