#include "ui/CheckBox.h"

#include <QApplication>
#include <QProxyStyle>

namespace {
// The caption sits as close to its box as on the desktop the windows were
// designed for (a 13-pixel box, then 3 to 4 pixels): the usual 6 pixels of
// Qt's styles take room the caption needs at the designed width.
class CaptionNearBox : public QProxyStyle {
public:
    explicit CaptionNearBox(const QString &key) : QProxyStyle(key) {}
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_CheckBoxLabelSpacing ? qMin(value, MaxSpacing) : value;
    }
    static constexpr int MaxSpacing = 4;
};
} // namespace

CheckBox::CheckBox(const QString &caption, QWidget *parent) : QCheckBox(caption, parent)
{
    auto *style = new CaptionNearBox(QApplication::style()->name());
    style->setParent(this);
    setStyle(style);
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    setAccessibleName(caption);
}

void CheckBox::mouseMoveEvent(QMouseEvent *e)
{
    emit MouseMove();
    QCheckBox::mouseMoveEvent(e);
}
