#pragma once

#include "ui/editing/EditorFeatures.h"

#include <QObject>
#include <QPoint>

class QAction;

namespace quaredit {

// What the editor tells of the 68000 instructions of a source: the help of
// the mnemonic under the mouse (or at the caret on F1), the reason of a
// marked operand under the mouse, and the bytes and cycles of the selected
// lines in the status bar. Text files get none of it.
class InstructionHelp : public QObject {
    Q_OBJECT
public:
    InstructionHelp(const EditorFeaturesContext& context, QObject* parent);

    // The tooltip for the text at `offset`: the instruction's help over its
    // mnemonic, the reason over a marked operand; empty elsewhere.
    QString tipAt(int offset) const;
    // The help of the instruction on the caret's line, shown as a tooltip.
    void showCaretHelp();
    // The selection's total as the status bar shows it; empty without a
    // selection or without instructions in it.
    QString selectionTotal() const;

    // The milliseconds the mouse must rest before a tooltip shows.
    static constexpr int DwellMs = 500;

private:
    void dwellStarted(int position, int x, int y);
    void selectionChanged();
    QByteArray lineBytes(int line) const;

    EditorFeaturesContext context_;
    QAction* helpKey_;
    QString shownTotal_; // what this feature last put in the status panel
};

} // namespace quaredit
