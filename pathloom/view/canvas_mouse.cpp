// The canvas's mouse: wheel zoom about the cursor, middle-button pan, click and box selection,
// the split and start-point tools, the origin pick, the snap point, cursors and the context menu.
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>

#include "core/canvas/vect_measures.h"
#include "core/codegen/number_format.h"
#include "core/text/texts.h"
#include "view/canvas.h"

namespace pathloom::view {
namespace {

constexpr double kPickPixels = 5;
constexpr double kSnapPixels = 8;

bool addModifier(Qt::KeyboardModifiers modifiers) {
    return modifiers & (Qt::ControlModifier | Qt::ShiftModifier);
}

QString qtext(const std::string& value) {
    return QString::fromStdString(value);
}

}  // namespace

double Canvas::tolerance() const {
    return kPickPixels * scale_ / transform_.zoom();
}

canvas::PointD Canvas::drawingPoint(QPointF pixel) const {
    return transform_.toDrawing(pixel.x(), pixel.y());
}

void Canvas::wheelEvent(QWheelEvent* event) {
    const QPointF at = event->position();
    if (!rect().contains(at.toPoint())) return;
    picture();  // the transform of the picture on the screen
    if (transform_.wheel(event->angleDelta().y(), at.x(), at.y())) viewChanged();
    event->accept();
}

void Canvas::mousePressEvent(QMouseEvent* event) {
    picture();
    setFocus();
    if (event->button() == Qt::MiddleButton) {
        panning_ = true;
        panFrom_ = event->position();
    } else if (event->button() == Qt::LeftButton) {
        leftPress(event->position());
    }
}

void Canvas::leftPress(QPointF pixel) {
    VectGroup* drawing = document_.drawing();
    const canvas::PointD at = drawingPoint(pixel);
    switch (document_.mode()) {
        case ViewMode::Select:
            selecting_ = true;
            pressAt_ = pixel;
            corner_.reset();
            break;
        case ViewMode::Split:
        case ViewMode::StartPoint: {
            // Without a drawing there is nothing to split or to start elsewhere.
            if (!drawing) return;
            const bool split = document_.mode() == ViewMode::Split;
            const int code = split ? Lintrel_SplitVect(drawing, at.x, at.y, tolerance(), 1)
                                   : Lintrel_ChangStartPt(drawing, at.x, at.y, tolerance(), 1);
            if (code == 0) {
                emit drawingEdited();
                refresh();
            } else if (code != LINTREL_NOTHING_TO_DO) {
                emit failed(
                    qtext(textWithCode(split ? Text::SplitFailed : Text::StartPointFailed, code)));
            }
            break;
        }
        case ViewMode::Dialog:
            if (drawing) pickOrigin(snap_.value_or(at));
            break;
        case ViewMode::Simulation:
            break;
    }
}

void Canvas::pickOrigin(const canvas::PointD& at) {
    VarnixCad3_Move(document_.drawing(), -at.x, -at.y);
    transform_.followMove(-at.x, -at.y);
    snap_.reset();
    emit originPicked(at.x, at.y);
    emit drawingEdited();
    refresh();
}

void Canvas::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (event->button() == Qt::MiddleButton && panning_) {
        panning_ = false;
        if (at != panFrom_) {
            transform_.pan(at.x() - panFrom_.x(), at.y() - panFrom_.y());
            viewChanged();
        }
    } else if (event->button() == Qt::LeftButton && selecting_) {
        finishSelection(at, addModifier(event->modifiers()));
    } else if (event->button() == Qt::RightButton && !document_.busy()) {
        emit contextMenuRequested(event->globalPosition().toPoint());
    }
}

void Canvas::finishSelection(QPointF pixel, bool add) {
    selecting_ = false;
    corner_.reset();
    VectGroup* drawing = document_.drawing();
    // While the automatic optimisation copies the drawing, the selection stays as it is.
    if (!drawing || document_.mode() != ViewMode::Select || document_.optimising()) return update();
    const canvas::PointD from = drawingPoint(pressAt_);
    const canvas::PointD to = drawingPoint(pixel);
    int code = 0;
    if (pixel == pressAt_) {
        const canvas::PointD at = snap_.value_or(from);
        code = Lintrel_ClickSelect(drawing, at.x, at.y, tolerance(), add);
    } else {
        // The direction of the drag decides between window and crossing selection.
        code = Lintrel_BoxSelect(drawing, from.x, from.y, to.x, to.y, add);
    }
    if (code == 0) {
        emit selectionChanged();
        refresh();
    } else {
        update();  // the rubber band goes
    }
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
    picture();
    const QPointF pixel = event->position();
    const canvas::PointD at = drawingPoint(pixel);
    emit cursorMoved(QStringLiteral("X:%1, Y:%2")
                         .arg(QString::fromStdString(fixedText(at.x, 4)),
                              QString::fromStdString(fixedText(at.y, 4))));
    if (selecting_ && document_.mode() == ViewMode::Select) {
        corner_ = pixel;
        update();
    }
    updateSnap(at);
    updateCursor(at, pixel);
}

void Canvas::updateSnap(const canvas::PointD& at) {
    const ViewMode mode = document_.mode();
    std::optional<canvas::PointD> found;
    if (document_.drawing() &&
        (mode == ViewMode::Select || mode == ViewMode::Dialog || mode == ViewMode::Simulation)) {
        const double half = kSnapPixels * scale_ / transform_.zoom();
        found = canvas::snapPoint(document_.drawing(), at.x, at.y, half, mode == ViewMode::Dialog);
    }
    const bool moved = found.has_value() != snap_.has_value() ||
                       (found && (std::fabs(found->x - snap_->x) > 0.0001 ||
                                  std::fabs(found->y - snap_->y) > 0.0001));
    if (!moved) return;
    snap_ = found;
    update();
}

void Canvas::updateCursor(const canvas::PointD& at, QPointF pixel) {
    const double rulers = canvas::kRulerThickness;
    if (pixel.x() < rulers || pixel.y() < rulers) return unsetCursor();
    switch (document_.mode()) {
        case ViewMode::Select:
            return setCursor(panning_ ? Qt::ClosedHandCursor : Qt::ArrowCursor);
        case ViewMode::Split:
        case ViewMode::StartPoint: {
            VectGroup* drawing = document_.drawing();
            const bool split = document_.mode() == ViewMode::Split;
            const bool hit =
                drawing && (split ? Lintrel_SplitVect(drawing, at.x, at.y, tolerance(), 0)
                                  : Lintrel_ChangStartPt(drawing, at.x, at.y, tolerance(), 0)) == 0;
            return setCursor(hit ? Qt::PointingHandCursor : Qt::ForbiddenCursor);
        }
        case ViewMode::Dialog:
            return setCursor(Qt::CrossCursor);
        case ViewMode::Simulation:
            return unsetCursor();
    }
}

}  // namespace pathloom::view
