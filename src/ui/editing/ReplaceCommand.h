#pragma once

#include "ui/editing/EditorFeatures.h"

#include <QByteArray>
#include <QObject>
#include <optional>

namespace quaredit {

class ReplaceDialog;

// Edit > Replace: the replace box and what its buttons do to the current
// document. Replace All is one edit, undone in one step.
class ReplaceCommand : public QObject {
    Q_OBJECT
public:
    ReplaceCommand(const EditorFeaturesContext& context, QObject* parent);

    void MNU_Edit_ReplaceClick();
    // Selects the next match after the selection, going on from the top
    // when there is none below. False when there is none at all.
    bool findNext();
    // Replaces the selection when it is a match, then selects the next one.
    void replaceOne();
    void replaceAll();

    ReplaceDialog& dialog() const { return *dialog_; }

private:
    std::optional<QByteArray> replacement() const;
    bool fits(qsizetype newLength) const;
    void tell(const QString& text) const;

    EditorFeaturesContext context_;
    ReplaceDialog* dialog_;
};

} // namespace quaredit
