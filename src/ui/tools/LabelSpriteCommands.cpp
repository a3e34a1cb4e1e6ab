#include "ui/tools/LabelSpriteCommands.h"

#include "core/documents/Document.h"
#include "core/tools/Sprite.h"
#include "ui/common/MenuMap.h"
#include "ui/common/WindowServices.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editing/EditorServices.h"
#include "ui/editor/EditorAccess.h"
#include "ui/tools/TLblWinFrm.h"
#include "ui/tools/TNewSpriteFrm.h"

#include <QAction>
#include <Qsci/qsciscintilla.h>

namespace quaredit {

LabelSpriteCommands::LabelSpriteCommands(CommandContext context)
    : ctx_(std::move(context)), LblWinFrm(new TLblWinFrm(&ctx_.window)),
      NewSpriteFrm(new TNewSpriteFrm(ctx_.services, &ctx_.window)) {
    // The pop-up item runs the same command through its menu twin.
    QObject::connect(ctx_.menus.MNU_Tools_LblVarWin, &QAction::triggered, LblWinFrm,
                     [this] { MNU_Tools_LblVarWinClick(); });
    QObject::connect(ctx_.menus.MNU_Tools_NewSprite, &QAction::triggered, NewSpriteFrm,
                     [this] { MNU_Tools_NewSpriteClick(); });
}

void LabelSpriteCommands::MNU_Tools_LblVarWinClick() {
    Document& doc = ctx_.documents.current();
    if (doc.Kind != DocumentKind::ProgramSource && doc.Kind != DocumentKind::IncludeFile) {
        ctx_.services.messageBox(
            QStringLiteral("You can only use this function with ASM and INCLUDE files."),
            QStringLiteral("Labels & Variables Window"), MsgIcon::Error, MsgButtons::Ok);
        return;
    }
    EditorAccess& editor = ctx_.editor;
    LblWinFrm->setSourceText(editor.bytes());
    LblWinFrm->setListFont(ctx_.editorWidget.font());
    const int result = ctx_.services.execDialog(*LblWinFrm);
    const std::optional<int> chosen = LblWinFrm->chosenLine();
    LblWinFrm->setSourceText(QByteArray()); // no need to hold a copy of a large source
    if (result != QDialog::Accepted)
        return;
    const int line = chosen.value_or(doc.CaretLine);
    editor.setSelectionStart(editor.offsetOfLine(line));
    ctx_.editorServices.UpdateCaretStatus();
    ctx_.editorServices.ScrollToLine(doc.CaretLine);
}

void LabelSpriteCommands::MNU_Tools_NewSpriteClick() {
    if (ctx_.services.execDialog(*NewSpriteFrm) != QDialog::Accepted)
        return;
    const Document& doc = ctx_.documents.current();
    const LineEdits edits = spriteEdits(NewSpriteFrm->spriteName(), NewSpriteFrm->spriteWidth(),
                                        NewSpriteFrm->spriteHeight(), doc.CaretLine);
    if (edits.isEmpty())
        return;
    ctx_.documents.applyLineEdits(edits);
    ctx_.editorWidget.update();
    ctx_.editorServices.UpdateCaretStatus();
}

} // namespace quaredit
