#pragma once

#include <QLabel>
#include <QString>

namespace lotwise {

// A label of one line: a text too long for its width is shown cut short with "…", and
// whole in the tooltip, with more about it (`detail`) below it. The label takes no more
// width than the layout gives it, so a long text never widens or heightens the window.
class ElidedLabel : public QLabel {
 public:
  ElidedLabel();

  // Sets the detail and shows the tooltip for the text as it now stands.
  void setDetail(const QString& detail);
  // Whether the text is shown cut short.
  bool elided() const;

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void UpdateToolTip();

  QString detail_;
};

}  // namespace lotwise
