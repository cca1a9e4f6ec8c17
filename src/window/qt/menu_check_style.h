#pragma once

#include <QProxyStyle>

namespace klobbet {

// The menus' check marks as on the classic desktop: a plain tick beside a
// checked item and nothing at all beside the others, where the toolkit's
// own style draws a check box, empty or ticked.
class MenuCheckStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
};

}  // namespace klobbet
