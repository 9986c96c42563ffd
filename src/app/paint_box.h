#pragma once

#include <QWidget>
#include <functional>

#include "runtime/canvas.h"

namespace tavrimo {

// A box the window draws into through a Canvas. It keeps no picture: every
// repaint runs the paint handler again; where it draws nothing the window's
// background shows.
class PaintBox final : public QWidget {
    Q_OBJECT
public:
    explicit PaintBox(QWidget* parent);

    std::function<void(Canvas&)> onPaint;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tavrimo
