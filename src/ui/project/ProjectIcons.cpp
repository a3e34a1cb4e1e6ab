#include "ui/project/ProjectIcons.h"

#include <QPainter>
#include <QPixmap>

namespace quaredit {

// Drawn at run time so the program needs no image files beside it.
QIcon projectIcon(int number) {
    static QIcon cache[9];
    if (number < 0 || number > 8)
        return {};
    if (!cache[number].isNull())
        return cache[number];
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(3, 1, 10, 13);
    p.end();
    cache[number] = QIcon(pm);
    return cache[number];
}

} // namespace quaredit
