#include "core/documents/TypedKeys.h"

namespace quaredit {

bool keyTypesText(Qt::KeyboardModifiers modifiers, QStringView text) {
    if (text.isEmpty() || !text.front().isPrint())
        return false;
    if (modifiers & Qt::GroupSwitchModifier)
        return true;
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool alt = modifiers & Qt::AltModifier;
    const bool meta = modifiers & Qt::MetaModifier;
    if (meta)
        return false;
    return ctrl == alt;
}

} // namespace quaredit
