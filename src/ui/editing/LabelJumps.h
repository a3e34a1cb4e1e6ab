#pragma once

#include "ui/editing/EditorFeatures.h"

#include <QObject>
#include <QPoint>
#include <QVector>

namespace quaredit {

// F12 and Ctrl+click go to the line that defines the name at the caret (or
// under the mouse), as the labels window finds definitions; Alt+Left goes
// back to where the caret was, jump after jump.
class LabelJumps : public QObject {
    Q_OBJECT
public:
    LabelJumps(const EditorFeaturesContext& context, QObject* parent);

    void MNU_Edit_GotoDefinitionClick();
    void MNU_Edit_GoBackClick();
    // Goes to the definition of the name at `offset`; false when there is none.
    bool goToDefinitionAt(int offset);
    int historySize() const { return int(history_.size()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Place {
        quintptr document; // the editor's document the place belongs to
        int caret;
        int topLine;
    };
    quintptr currentDocument() const;
    void tell(const QString& text) const;

    EditorFeaturesContext context_;
    QVector<Place> history_;
    QPoint pressedAt_;
};

} // namespace quaredit
