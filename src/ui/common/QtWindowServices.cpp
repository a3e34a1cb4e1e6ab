#include "ui/common/QtWindowServices.h"

#include "core/app/FileFilter.h"
#include "core/app/ProductName.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QTextDocument>
#include <QTreeView>

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
    fitFileDialogColumns(dialog);
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

void fitMessageBoxToCaption(QMessageBox& box) {
    QFont titleFont = box.font();
    titleFont.setBold(true);
    // Room for the caption and the frame's own buttons beside it.
    const QFontMetrics metrics(titleFont);
    const int width = metrics.horizontalAdvance(box.windowTitle()) + 4 * metrics.height() + 32;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

void fitFileDialogColumns(QFileDialog& dialog) {
    dialog.setViewMode(QFileDialog::Detail);
    const QScreen* screen = dialog.screen() ? dialog.screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view)
        return;
    // At first, the widest texts each column usually shows.
    const QFontMetrics metrics(view->font());
    const int pad = 3 * metrics.horizontalAdvance(QLatin1Char('M'));
    const QDateTime wideDate(QDate(2026, 12, 28), QTime(22, 58, 58));
    const int widths[] = {
        metrics.horizontalAdvance(QStringLiteral("placement_routines_v2.asm")) + pad,
        metrics.horizontalAdvance(QStringLiteral("888.88 KiB")) + pad,
        metrics.horizontalAdvance(QStringLiteral("assembly source code")) + pad,
        metrics.horizontalAdvance(QLocale::system().toString(wideDate, QLocale::ShortFormat)) +
            pad};
    const int columns = qMin(view->header()->count(), 4);
    int total = 0;
    for (int c = 0; c < columns; ++c) {
        view->setColumnWidth(c, widths[c]);
        total += widths[c];
    }
    // Then, once a folder is read, wide enough for what it shows; the name
    // within reason, so that the other columns stay in sight.
    const int widestName = room.width() * 2 / 5;
    if (auto* model = dialog.findChild<QFileSystemModel*>()) {
        QObject::connect(model, &QFileSystemModel::directoryLoaded, view,
                         [view, columns, widestName] {
                             for (int c = 0; c < columns; ++c) {
                                 const int before = view->columnWidth(c);
                                 view->resizeColumnToContents(c);
                                 const int wanted = view->columnWidth(c) + 8;
                                 view->setColumnWidth(
                                     c, qMax(before, c == 0 ? qMin(wanted, widestName) : wanted));
                             }
                         });
    }
    // The sidebar, the frame and the scroll bar beside the columns.
    const int width = qMin(room.width() * 9 / 10, total + 260);
    dialog.resize(qMax(dialog.width(), width), qMin(room.height() * 8 / 10, 520));
}

MsgResult QtWindowServices::messageBox(const QString& text, const QString& caption, MsgIcon icon,
                                       MsgButtons buttons) {
    const ModalScope open(*this);
    QMessageBox box(qtIcon(icon), caption, text, qtButtons(buttons), QApplication::activeWindow());
    // Texts come from file names and the settings: never interpret them as markup.
    box.setTextFormat(Qt::PlainText);
    fitMessageBoxToCaption(box);
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
    fitMessageBoxToCaption(box);
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
