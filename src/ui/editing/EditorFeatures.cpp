#include "ui/editing/EditorFeatures.h"

#include "ui/editing/InstructionHelp.h"
#include "ui/editing/LabelJumps.h"
#include "ui/editing/ReplaceCommand.h"
#include "ui/editing/WordCompletion.h"
#include "ui/editor/EditorAccess.h"
#include "ui/editor/EditorAppearance.h"

#include <QAction>

namespace quaredit {

EditorFeatures::EditorFeatures(const EditorFeaturesContext& context, QObject* parent)
    : QObject(parent), appearance_(new EditorAppearance(context.editor, context.access->notices(),
                                                        context.plainDocument, this)),
      replace_(new ReplaceCommand(context, this)), jumps_(new LabelJumps(context, this)),
      completion_(new WordCompletion(context, this)),
      instructionHelp_(new InstructionHelp(context, this)) {
    connect(context.replace, &QAction::triggered, replace_, &ReplaceCommand::MNU_Edit_ReplaceClick);
    connect(context.gotoDefinition, &QAction::triggered, jumps_,
            &LabelJumps::MNU_Edit_GotoDefinitionClick);
    connect(context.goBack, &QAction::triggered, jumps_, &LabelJumps::MNU_Edit_GoBackClick);
}

EditorFeatures::~EditorFeatures() = default;

void EditorFeatures::applyLook(const EditorLook& look) {
    appearance_->apply(look);
}

void EditorFeatures::documentShown() {
    appearance_->documentShown();
}

} // namespace quaredit
