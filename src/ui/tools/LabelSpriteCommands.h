#pragma once

namespace quaredit {

class TLblWinFrm;
class TNewSpriteFrm;
class TPFrm;

// The labels window and the sprite inserter as commands of the main window:
// creates both dialogs, answers their menu items and applies what they return
// to the current document.
class LabelSpriteCommands {
public:
    explicit LabelSpriteCommands(TPFrm& frm);

    void MNU_Tools_LblVarWinClick();
    void MNU_Tools_NewSpriteClick();

private:
    TPFrm& frm_;
    TLblWinFrm* LblWinFrm;
    TNewSpriteFrm* NewSpriteFrm;
};

} // namespace quaredit
