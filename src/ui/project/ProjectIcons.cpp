#include "ui/project/ProjectIcons.h"

#include "core/project/ProjectOutline.h"
#include "ui/common/DrawnIcons.h"

#include <QPainter>
#include <QPixmap>
#include <array>
#include <functional>

namespace quaredit {

namespace {

using namespace drawn;

const QColor Pencil(200, 120, 30);
const QColor Skin(240, 200, 160);

void hand(QPainter& p, int x, int y) {
    // A pencil held by a hand, writing towards the lower left.
    p.setPen(Pencil.darker());
    p.setBrush(Pencil);
    p.drawPolygon(QPolygon({{x, y + 6}, {x + 5, y + 1}, {x + 6, y + 2}, {x + 1, y + 7}}));
    p.setPen(Skin.darker(130));
    p.setBrush(Skin);
    p.drawEllipse(x + 4, y - 1, 5, 4);
}

void book(QPainter& p, int x, int y, const QColor& cover) {
    p.setPen(Ink);
    p.setBrush(cover);
    p.drawRect(x, y, 12, 3);
    p.setPen(Paper);
    p.drawLine(x + 10, y + 1, x + 10, y + 2);
}

std::array<QIcon, ProjectIconCount> drawAll() {
    std::array<QIcon, ProjectIconCount> icons;
    icons[int(ProjectIcon::ProgramRoot)] = drawn::icon([](QPainter& p) {
        page(p, 5, 1, 9, 11, PaperShade);
        page(p, 3, 3, 9, 11, PaperShade);
        page(p, 1, 5, 9, 10);
        lines(p, 3, 8, 5, 3);
    });
    icons[int(ProjectIcon::IncludeFile)] = drawn::icon([](QPainter& p) {
        page(p, 2, 2, 10, 13);
        lines(p, 4, 7, 6, 4);
        p.setPen(QPen(QColor(120, 120, 140), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(9, 0, 4, 8, 2, 2);
        p.drawLine(11, 2, 11, 6);
    });
    icons[int(ProjectIcon::Library)] = drawn::icon([](QPainter& p) {
        book(p, 2, 11, QColor(170, 40, 40));
        book(p, 1, 7, QColor(40, 90, 170));
        book(p, 3, 3, QColor(40, 140, 60));
    });
    icons[int(ProjectIcon::Notes)] = drawn::icon([](QPainter& p) {
        page(p, 2, 2, 11, 13, QColor(255, 250, 190));
        lines(p, 4, 7, 7, 4);
        p.setPen(Ink);
        for (int x = 4; x <= 11; x += 2)
            p.drawLine(x, 0, x, 3);
    });
    icons[int(ProjectIcon::LibrarySource)] = drawn::icon([](QPainter& p) {
        page(p, 1, 1, 10, 14);
        lines(p, 3, 4, 6, 4);
        hand(p, 6, 8);
    });
    icons[int(ProjectIcon::OtherRoot)] = drawn::icon([](QPainter& p) { page(p, 3, 1, 10, 14); });
    icons[int(ProjectIcon::UsedLibrary)] = drawn::icon(folder);
    icons[int(ProjectIcon::IncludedFile)] = drawn::icon([](QPainter& p) {
        page(p, 2, 1, 11, 14);
        lines(p, 4, 4, 7, 5);
    });
    icons[int(ProjectIcon::TextRoot)] = drawn::icon([](QPainter& p) {
        p.setPen(QColor(90, 110, 170));
        p.drawLine(1, 14, 8, 14);
        hand(p, 3, 6);
    });
    return icons;
}

} // namespace

// Drawn at run time so the program needs no image files beside it. The
// numbers are those of ProjectIcon.
QIcon projectIcon(int number) {
    static const std::array<QIcon, ProjectIconCount> icons = drawAll();
    if (number < 0 || number >= ProjectIconCount)
        return {};
    return icons[number];
}

} // namespace quaredit
