#include "desktop/number_entry.h"

#include <QKeyEvent>
#include <QToolTip>
#include <utility>

namespace lotwise {

NumberEntry::NumberEntry(QLineEdit* box, int digits, std::function<void(const QString&)> wentBack)
    : QObject(box),
      box_(box),
      digits_(digits),
      wentBack_(std::move(wentBack)),
      settled_(box->text()) {
  box_->installEventFilter(this);
  // Qt tells of a user's edit before the change itself, so a change that follows no edit
  // was made by the program, and stands.
  connect(box_, &QLineEdit::textEdited, this, [this] { entering_ = true; });
  connect(box_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!entering_ && acceptable(text)) settled_ = text;
  });
}

bool NumberEntry::acceptable(const QString& text) const {
  if (text.size() > digits_) return false;
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  }
  return true;
}

void NumberEntry::end() {
  if (!entering_) return;
  entering_ = false;
  const QString entered = box_->text();
  if (acceptable(entered)) {
    settled_ = entered;
    return;
  }
  box_->setText(settled_);
  QToolTip::showText(
      box_->mapToGlobal(QPoint(0, box_->height())),
      QStringLiteral("A whole number of at most %1 digits, please: \"%2\" is not one.")
          .arg(digits_)
          .arg(entered),
      box_);
  if (wentBack_) wentBack_(settled_);
}

bool NumberEntry::eventFilter(QObject* watched, QEvent* event) {
  if (watched == box_) {
    if (event->type() == QEvent::FocusOut) {
      end();
    } else if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) end();
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace lotwise
