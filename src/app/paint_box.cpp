#include "app/paint_box.h"

#include <QPainter>

#include "runtime/qt/qpainter_canvas.h"

namespace tavrimo {

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {}

void PaintBox::paintEvent(QPaintEvent*)
{
    if (!onPaint) return;
    QPainter painter(this);
    QPainterCanvas canvas(painter);
    onPaint(canvas);
}

}  // namespace tavrimo
