#include "ui/documents/SourceEditing.h"

#include "ui/documents/EditorAccess.h"
#include "ui/documents/EditorAppearance.h"
#include "ui/documents/LabelJumps.h"
#include "ui/documents/ReplaceCommand.h"
#include "ui/documents/WordCompletion.h"

#include <QAction>

namespace quaredit {

SourceEditing::SourceEditing(const SourceEditingContext& context, QObject* parent)
    : QObject(parent), appearance_(new EditorAppearance(context.editor, context.access->notices(),
                                                        context.plainDocument, this)),
      replace_(new ReplaceCommand(context, this)), jumps_(new LabelJumps(context, this)),
      completion_(new WordCompletion(context, this)) {
    connect(context.replace, &QAction::triggered, replace_, &ReplaceCommand::MNU_Edit_ReplaceClick);
    connect(context.gotoDefinition, &QAction::triggered, jumps_,
            &LabelJumps::MNU_Edit_GotoDefinitionClick);
    connect(context.goBack, &QAction::triggered, jumps_, &LabelJumps::MNU_Edit_GoBackClick);
}

SourceEditing::~SourceEditing() = default;

void SourceEditing::applyLook(const EditorLook& look) {
    appearance_->apply(look);
}

void SourceEditing::documentShown() {
    appearance_->documentShown();
}

} // namespace quaredit
