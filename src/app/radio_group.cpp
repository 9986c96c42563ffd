#include "app/radio_group.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QRadioButton>
#include <algorithm>

namespace tavrimo {
namespace {

// The buttons keep this far from the frame's left and right edges.
constexpr int kButtonIndent = 8;
constexpr int kCaptionIndent = 8;

}  // namespace

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QWidget(parent), caption_(caption), columns_(std::max(1, columns))
{
    group_.setExclusive(true);
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items.at(i), this);
        group_.addButton(radio, i);
    }
    if (!items.isEmpty()) group_.button(0)->setChecked(true);
    connect(&group_, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
    connect(&group_, &QButtonGroup::idToggled, this, [this](int, bool) { UpdateTabStop(); });
    UpdateTabStop();
}

int RadioGroup::itemIndex() const
{
    return group_.checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* b = group_.button(index)) b->setChecked(true);
}

int RadioGroup::count() const
{
    return static_cast<int>(group_.buttons().size());
}

QRadioButton* RadioGroup::button(int index) const
{
    return static_cast<QRadioButton*>(group_.button(index));
}

void RadioGroup::UpdateTabStop()
{
    for (QAbstractButton* b : group_.buttons()) {
        b->setFocusPolicy(b->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void RadioGroup::ArrangeButtons()
{
    const int n = count();
    if (n == 0) return;
    const int perColumn = (n + columns_ - 1) / columns_;
    const int captionHeight = fontMetrics().height();
    const int top = captionHeight + 1;
    // The items share the height below the caption evenly. A frame too low
    // for that still gives each button one text line, raised towards the
    // caption so that the frame's bottom edge stays clear.
    const int room = std::max(0, height() - top - 4);
    const int rowHeight = std::max(room / perColumn, captionHeight + 1);
    const int firstRow = rowHeight * perColumn <= room
                             ? top + (room - rowHeight * perColumn) / 2
                             : std::max(captionHeight / 2 + 2, height() - 2 - rowHeight * perColumn);
    const int columnWidth = (width() - 2 * kButtonIndent) / columns_;
    for (int i = 0; i < n; ++i) {
        const int column = i / perColumn;
        const int row = i % perColumn;
        button(i)->setGeometry(kButtonIndent + column * columnWidth, firstRow + row * rowHeight, columnWidth,
                               rowHeight);
    }
}

void RadioGroup::resizeEvent(QResizeEvent*)
{
    ArrangeButtons();
}

void RadioGroup::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) ArrangeButtons();
    QWidget::changeEvent(event);
}

void RadioGroup::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFontMetrics metrics = fontMetrics();
    const int frameTop = metrics.height() / 2;
    // An etched outline: a dark line with a light one just inside it.
    const QRect outer(0, frameTop, width() - 2, height() - frameTop - 2);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(outer);
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(outer.translated(1, 1));

    const int captionWidth = metrics.horizontalAdvance(caption_);
    const QRect captionRect(kCaptionIndent, 0, captionWidth + 2, metrics.height());
    p.fillRect(captionRect, palette().color(QPalette::Window));
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(captionRect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, caption_);
}

}  // namespace tavrimo
