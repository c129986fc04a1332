#pragma once

#include <QEvent>
#include <QLineEdit>
#include <QObject>
#include <QString>
#include <functional>

namespace lotwise {

// Keeps a text box to a whole number of at most `digits` digits (or nothing), judged when
// an entry ends rather than key by key: an entry such as "-5x 1e3", typed or pasted, is
// refused whole instead of leaving the digits that happen to be in it ("513"). While it
// is entered the text shows as it is; when the entry ends (the box loses the focus, Enter
// is pressed in it, or end() is called before a command reads it), one that is no such
// number gives way to the number the box had before it, and a tool tip says why.
class NumberEntry : public QObject {
  Q_OBJECT

 public:
  // `wentBack` is told the text the box went back to after a refusal.
  NumberEntry(QLineEdit* box, int digits, std::function<void(const QString&)> wentBack);

  void end();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool acceptable(const QString& text) const;

  QLineEdit* box_;
  int digits_;
  std::function<void(const QString&)> wentBack_;
  QString settled_;        // the text before the entry
  bool entering_ = false;  // the user has changed the text since the last end
};

}  // namespace lotwise
