#pragma once

#include <QString>

namespace quaredit {

// The installed family fontconfig's matcher picks to stand in for `family`,
// asked as Qt asks it for a fixed-pitch font of that name (the family first,
// "monospace" behind it): the same answer Qt's own matching gives, without
// the sort of every installed font Qt makes first. Empty when fontconfig
// names none.
QString fontconfigStandIn(const QString& family);

} // namespace quaredit
