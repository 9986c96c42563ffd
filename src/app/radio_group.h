#pragma once

#include <QButtonGroup>
#include <QString>
#include <QStringList>
#include <QWidget>

class QRadioButton;

namespace tavrimo {

// A captioned frame with one radio button per item, the items filling the
// given number of columns column by column from the top. Exactly one item is
// selected. Only the selected button takes the Tab key, so the group is one
// stop in the tab order; the arrow keys move between its items.
class RadioGroup final : public QWidget {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent);

    int itemIndex() const;
    void setItemIndex(int index);
    int count() const;
    QRadioButton* button(int index) const;
    QString caption() const { return caption_; }
    int columns() const { return columns_; }

signals:
    // The user selected an item, by mouse or keyboard.
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ArrangeButtons();
    void UpdateTabStop();

    QString caption_;
    int columns_;
    QButtonGroup group_;
};

}  // namespace tavrimo
