#pragma once

#include "ui/editing/EditorFeatures.h"

#include <QObject>

namespace quaredit {

// Offers the source's labels and the 68000 mnemonics and directives once
// three characters of a name are typed, through the editor's own
// completion list.
class WordCompletion : public QObject {
    Q_OBJECT
public:
    WordCompletion(const EditorFeaturesContext& context, QObject* parent);

    // What the editor calls after each typed character.
    void charAdded(int ch);

private:
    EditorFeaturesContext context_;
};

} // namespace quaredit
