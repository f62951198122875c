// Painting the drawing: every vect's working chain, arcs without a flattened chain from their
// definition, then travel moves and start points.
#include "app/drawing_area.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "app/group_palette.h"

namespace pathloom::app {
namespace {

constexpr double kFullCircle = 1e-4;

template <class T, class Visit>
void forEachInRing(T* first, Visit visit) {
    T* item = first;
    do {
        if (!item) return;
        visit(*item);
        item = item->next;
    } while (item != first);
}

bool drawnFromDefinition(const Vect& vect) {
    return vect.type == LINTREL_ARC && !vect.flatSegs && vect.segs;
}

const Seg* workingChain(const Vect& vect) {
    return vect.flatSegs ? vect.flatSegs : vect.segs;
}

// Screen mapping with the y axis up: the drawing's box fitted into the area with a margin.
struct Mapping {
    double zoom = 1, panX = 0, panY = 0;
    int height = 0;
    QPointF operator()(double x, double y) const {
        return {zoom * x + panX, height - (zoom * y + panY)};
    }
};

Mapping fit(const VectGroup* drawing, QSize area) {
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    const auto take = [&](double x, double y) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    };
    forEachInRing(drawing, [&](const VectGroup& group) {
        forEachInRing(group.vects, [&](const Vect& vect) {
            forEachInRing(workingChain(vect), [&](const Seg& seg) {
                take(seg.x0, seg.y0);
                take(seg.x1, seg.y1);
            });
        });
    });
    if (minX > maxX) minX = minY = 0, maxX = maxY = 100;
    double w = maxX - minX, h = maxY - minY;
    if (w < 1e-4 && h < 1e-4) w = h = 100;
    const double usableW = std::max(1, area.width() - 65);
    const double usableH = std::max(1, area.height() - 65);
    Mapping m;
    m.zoom = std::min(w > 0 ? usableW / w : 1e300, h > 0 ? usableH / h : 1e300);
    m.height = area.height();
    m.panX = ((area.width() - w * m.zoom) - 25) * 0.5 + 25 - minX * m.zoom;
    m.panY = ((area.height() - h * m.zoom) - 25) * 0.5 - minY * m.zoom;
    return m;
}

void drawArc(QPainter& painter, const Mapping& map, const Seg& def) {
    const QPointF a = map(def.x0, def.y0);
    const QPointF b = map(def.x1, def.y1);
    const QRectF box = QRectF(a, b).normalized();
    // Angles run clockwise from +x in the drawing; Qt's run counter-clockwise in sixteenths.
    const bool full = std::fabs(def.z1) <= kFullCircle;
    const int start = static_cast<int>(std::lround(-def.z0 * 180 / M_PI * 16));
    const int span = full ? 360 * 16 : static_cast<int>(std::lround(-def.z1 * 180 / M_PI * 16));
    painter.drawArc(box, start, span);
}

}  // namespace

DrawingArea::DrawingArea(const ViewSettings& view, double scale, QWidget* parent)
    : QWidget(parent), view_(view), scale_(scale) {
    setObjectName(QStringLiteral("drawingArea"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 200);
}

void DrawingArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const Mapping map = fit(drawing_, size());
    painter.setPen(QPen(Qt::red, 2));
    const QPointF origin = map(0, 0);
    const double cross = 8 * scale_;
    painter.drawLine(origin - QPointF(cross, 0), origin + QPointF(cross, 0));
    painter.drawLine(origin - QPointF(0, cross), origin + QPointF(0, cross));
    if (!drawing_) return;

    QPainterPath travel;
    std::vector<QPointF> starts;
    bool first = true;
    forEachInRing(drawing_, [&](const VectGroup& group) {
        forEachInRing(group.vects, [&](const Vect& vect) {
            QPen pen(GroupPalette::groupColour(group.number), 1);
            if (vect.selected)
                pen = QPen(QColor(255, 215, 0), 1, Qt::DotLine);
            else if (view_.showClose && !vect.closed && vect.type != LINTREL_POINT)
                pen.setColor(Qt::red);
            painter.setPen(pen);
            const Seg* chain = workingChain(vect);
            if (!chain) return;
            if (drawnFromDefinition(vect)) {
                drawArc(painter, map, *chain);
            } else {
                QPainterPath path(map(chain->x0, chain->y0));
                forEachInRing(chain, [&](const Seg& seg) {
                    if (seg.jump) path.moveTo(map(seg.x0, seg.y0));
                    path.lineTo(map(seg.x1, seg.y1));
                });
                painter.drawPath(path);
            }
            const QPointF start = map(chain->x0, chain->y0);
            const QPointF end = map(chain->prev->x1, chain->prev->y1);
            if (first)
                travel.moveTo(end);
            else
                travel.lineTo(start), travel.moveTo(end);
            first = false;
            starts.push_back(start);
        });
    });
    if (view_.showAbs) {
        painter.setPen(QPen(Qt::red, 1, Qt::DotLine));
        painter.drawPath(travel);
    }
    if (view_.showStartPoint) {
        painter.setPen(QPen(Qt::white, 5 * scale_, Qt::SolidLine, Qt::RoundCap));
        for (const QPointF& start : starts)
            painter.drawPoint(start);
    }
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        emit contextMenuRequested(event->globalPosition().toPoint());
}

}  // namespace pathloom::app
