#include "window/qt/menu_check_style.h"

#include <QMenu>
#include <QPainter>
#include <QPolygonF>
#include <QStyleOption>
#include <algorithm>

namespace klobbet {

void MenuCheckStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    const bool menuMark = element == PE_IndicatorCheckBox || element == PE_IndicatorMenuCheckMark;
    if (!menuMark || qobject_cast<const QMenu*>(widget) == nullptr) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    if (!(option->state & State_On)) {
        return;
    }
    const QRectF box = option->rect;
    const qreal side = std::min(box.width(), box.height());
    const QPointF corner(box.center().x() - side / 2, box.center().y() - side / 2);
    const QPolygonF tick{corner + QPointF(0.2 * side, 0.5 * side),
                         corner + QPointF(0.42 * side, 0.72 * side),
                         corner + QPointF(0.8 * side, 0.28 * side)};
    const QPalette::ColorGroup group =
        option->state & State_Enabled ? QPalette::Normal : QPalette::Disabled;
    const QPalette::ColorRole role =
        option->state & State_Selected ? QPalette::HighlightedText : QPalette::Text;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(option->palette.color(group, role), std::max<qreal>(2.0, side / 7),
                         Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter->drawPolyline(tick);
    painter->restore();
}

}  // namespace klobbet
