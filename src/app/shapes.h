#pragma once

#include <QColor>
#include <QWidget>

namespace tavrimo {

// A frame drawn as a lowered box outline, behind the controls it surrounds.
class Bevel final : public QWidget {
    Q_OBJECT
public:
    explicit Bevel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A rectangle filled in one colour, outline included.
class FilledShape final : public QWidget {
    Q_OBJECT
public:
    FilledShape(const QColor& color, QWidget* parent);
};

}  // namespace tavrimo
