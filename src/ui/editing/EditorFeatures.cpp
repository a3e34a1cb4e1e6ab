#include "ui/editing/EditorFeatures.h"

#include "ui/editing/InstructionHelp.h"
#include "ui/editing/LabelJumps.h"
#include "ui/editing/ReplaceCommand.h"
#include "ui/editing/StatusNote.h"
#include "ui/editing/WordCompletion.h"
#include "ui/editor/EditorAccess.h"
#include "ui/editor/EditorAppearance.h"

#include <QAction>

namespace quaredit {

namespace {

EditorFeaturesContext withNote(EditorFeaturesContext context, StatusNote* note) {
    context.note = note;
    return context;
}

} // namespace

EditorFeatures::EditorFeatures(const EditorFeaturesContext& given, QObject* parent)
    : QObject(parent), note_(new StatusNote(given.statusPanel, *given.access, this)),
      appearance_(
          new EditorAppearance(given.editor, given.access->notices(), given.plainDocument, this)),
      replace_(new ReplaceCommand(withNote(given, note_), this)),
      jumps_(new LabelJumps(withNote(given, note_), this)),
      completion_(new WordCompletion(withNote(given, note_), this)),
      instructionHelp_(new InstructionHelp(withNote(given, note_), this)) {
    const EditorFeaturesContext& context = given;
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
