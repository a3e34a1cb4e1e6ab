#pragma once

#include <QStringView>
#include <Qt>

namespace quaredit {

// Whether a key press that no command took may type its text into the
// source. A key held with Alt, Ctrl or Meta is a command key: one without a
// command does nothing rather than type its letter (Alt+F is a user reaching
// for the File menu). AltGr types the characters of European layouts, and
// arrives either as the group switch (X11) or as Ctrl and Alt together
// (Windows conventions, some remote desktops); real Ctrl+Alt letters carry
// control characters, which type nothing anyway.
bool keyTypesText(Qt::KeyboardModifiers modifiers, QStringView text);

} // namespace quaredit
