#include "runtime/qt/control_hints.h"

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QTextDocument>
#include <QWidget>

namespace tavrimo {
namespace {

// Qt takes the wait before a tooltip from the style of the control under the
// pointer; this one changes only that wait.
class HintTimingStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay) return kHintDelayMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* HintStyle()
{
    // Owned by the application, so it outlives every control that uses it.
    static QPointer<QStyle> style;
    if (style == nullptr) {
        style = new HintTimingStyle;
        style->setParent(qApp);
    }
    return style;
}

}  // namespace

void SetHint(QWidget& control, const QString& hint)
{
    // A tooltip that looks like markup is shown as markup; a hint is text.
    control.setToolTip(Qt::mightBeRichText(hint) ? Qt::convertFromPlainText(hint) : hint);
    control.setToolTipDuration(kHintShowTimeMs);
    control.setStyle(HintStyle());
}

}  // namespace tavrimo
