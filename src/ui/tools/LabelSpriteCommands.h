#pragma once

#include "ui/documents/CommandContext.h"

namespace quaredit {

class TLblWinFrm;
class TNewSpriteFrm;

// The labels window and the sprite inserter as commands of the main window:
// creates both dialogs, answers their menu items and applies what they return
// to the current document.
class LabelSpriteCommands {
public:
    explicit LabelSpriteCommands(CommandContext context);

    void MNU_Tools_LblVarWinClick();
    void MNU_Tools_NewSpriteClick();

private:
    const CommandContext ctx_;
    TLblWinFrm* LblWinFrm;
    TNewSpriteFrm* NewSpriteFrm;
};

} // namespace quaredit
