#include "app/shapes.h"

#include <qdrawutil.h>

#include <QPainter>
#include <QPalette>

namespace tavrimo {

Bevel::Bevel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Bevel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Shadow on the top and left edges, highlight on the bottom and right.
    qDrawShadePanel(&painter, rect(), palette(), true, 1, nullptr);
}

FilledShape::FilledShape(const QColor& color, QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    setAutoFillBackground(true);
}

}  // namespace tavrimo
