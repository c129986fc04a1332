#include "desktop/elided_label.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

namespace lotwise {

ElidedLabel::ElidedLabel() {
  setTextFormat(Qt::PlainText);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void ElidedLabel::setDetail(const QString& detail) {
  detail_ = detail;
  UpdateToolTip();
}

bool ElidedLabel::elided() const {
  return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

QSize ElidedLabel::minimumSizeHint() const {
  return {fontMetrics().averageCharWidth() * 8, fontMetrics().height()};
}

QSize ElidedLabel::sizeHint() const {
  return {fontMetrics().horizontalAdvance(text()), fontMetrics().height()};
}

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = contentsRect();
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
  style()->drawItemText(&painter, area, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(),
                        shown, foregroundRole());
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  UpdateToolTip();
}

void ElidedLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateToolTip();
}

void ElidedLabel::UpdateToolTip() {
  QString tip = elided() ? text() : QString();
  if (!detail_.isEmpty()) tip += (tip.isEmpty() ? QString() : QStringLiteral("\n\n")) + detail_;
  setToolTip(tip);
}

}  // namespace lotwise
