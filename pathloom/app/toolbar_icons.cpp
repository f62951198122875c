// One small drawing per toolbar command.
#include "app/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "app/commands.h"

namespace pathloom::app {
namespace {

void polyline(QPainter& p, std::initializer_list<QPointF> points) {
    QPainterPath path;
    bool first = true;
    for (const QPointF& point : points) {
        if (first)
            path.moveTo(point);
        else
            path.lineTo(point);
        first = false;
    }
    p.drawPath(path);
}

void arrowHead(QPainter& p, QPointF tip, QPointF back1, QPointF back2) {
    polyline(p, {back1, tip, back2});
}

void drawIcon(QPainter& p, int command) {
    const QPen ink(QColor(40, 40, 40), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const QPen blue(QColor(30, 100, 200), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const QPen red(QColor(200, 40, 40), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(ink);
    switch (command) {
        case CmdSelect:
            p.setBrush(Qt::white);
            p.drawPolygon(
                QPolygonF({{9, 5}, {9, 26}, {14, 21}, {18, 29}, {21, 27}, {17, 20}, {24, 20}}));
            break;
        case CmdConnect:
            p.setPen(blue);
            polyline(p, {{4, 16}, {12, 16}});
            polyline(p, {{20, 16}, {28, 16}});
            p.drawRect(QRectF(12, 10, 8, 12));
            break;
        case CmdDisconnect:
            p.setPen(red);
            polyline(p, {{4, 16}, {11, 16}});
            polyline(p, {{21, 16}, {28, 16}});
            polyline(p, {{13, 8}, {19, 24}});
            break;
        case CmdDownload:
            p.setPen(blue);
            polyline(p, {{16, 4}, {16, 22}});
            arrowHead(p, {16, 22}, {10, 16}, {22, 16});
            polyline(p, {{6, 27}, {26, 27}});
            break;
        case CmdRemoveTiny:
            p.drawRect(QRectF(5, 5, 22, 22));
            p.setPen(red);
            p.drawEllipse(QPointF(16, 16), 2, 2);
            break;
        case CmdRemoveDuplicates:
            polyline(p, {{5, 12}, {27, 12}});
            p.setPen(red);
            polyline(p, {{5, 20}, {27, 20}});
            break;
        case CmdMerge:
            polyline(p, {{4, 24}, {14, 10}});
            p.setPen(blue);
            polyline(p, {{14, 10}, {28, 22}});
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(14, 10), 3, 3);
            break;
        case CmdCurvePrecision:
            polyline(p, {{4, 24}, {10, 12}, {16, 8}, {22, 12}, {28, 24}});
            break;
        case CmdSplit:
            p.drawArc(QRectF(5, 8, 22, 30), 0, 180 * 16);
            p.setPen(red);
            polyline(p, {{16, 3}, {16, 13}});
            break;
        case CmdChangeStart:
            p.drawEllipse(QRectF(5, 5, 22, 22));
            p.setPen(QPen(QColor(200, 40, 40), 6, Qt::SolidLine, Qt::RoundCap));
            p.drawPoint(QPointF(27, 16));
            break;
        case CmdReverse:
            polyline(p, {{5, 11}, {27, 11}});
            arrowHead(p, {27, 11}, {22, 7}, {22, 15});
            p.setPen(blue);
            polyline(p, {{27, 21}, {5, 21}});
            arrowHead(p, {5, 21}, {10, 17}, {10, 25});
            break;
        case CmdStopSimulation:
            p.setBrush(QColor(200, 40, 40));
            p.drawRect(QRectF(8, 8, 16, 16));
            break;
        case CmdPauseSimulation:
            p.setBrush(QColor(40, 40, 40));
            p.drawRect(QRectF(8, 7, 5, 18));
            p.drawRect(QRectF(19, 7, 5, 18));
            break;
        case CmdContinueSimulation:
            p.setBrush(QColor(40, 150, 60));
            p.drawPolygon(QPolygonF({{9, 6}, {26, 16}, {9, 26}}));
            break;
    }
}

}  // namespace

QIcon toolbarIcon(int command) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawIcon(painter, command);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace pathloom::app
