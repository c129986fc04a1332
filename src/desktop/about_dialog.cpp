#include "desktop/about_dialog.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

#include "desktop/images.h"

namespace lotwise {
namespace {

QLabel* Caption(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

// The picture at `size` device-independent pixels, sharp on dense screens too.
QLabel* Picture(const char* name, const QIcon& icon, QSize size, QWidget* parent) {
  auto* picture = new QLabel(parent);
  picture->setObjectName(QLatin1String(name));
  picture->setPixmap(icon.pixmap(size, parent->devicePixelRatioF()));
  picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
  return picture;
}

}  // namespace

AboutDialog::AboutDialog(const QIcon& banner, const QIcon& icon, QWidget* parent)
    : QDialog(parent),
      lblVersion_(Caption("lblVersion", this)),
      lblDescription_(Caption("lblDescription", this)),
      label1_(Caption("Label1", this)),
      cmdOK_(new QPushButton(this)) {
  setObjectName(QStringLiteral("frmAbout"));
  setModal(false);
  setSizeGripEnabled(false);

  QLabel* background = Picture("background", banner, kBannerSize, this);
  background->setAccessibleName(QStringLiteral("Lotwise banner"));
  QLabel* picIcon = Picture("picIcon", icon, QSize(64, 64), this);
  picIcon->setAccessibleName(QStringLiteral("Lotwise icon"));

  QFont versionFont = lblVersion_->font();
  versionFont.setBold(true);
  lblVersion_->setFont(versionFont);
  cmdOK_->setObjectName(QStringLiteral("cmdOK"));
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, &AboutDialog::okClicked);

  auto* texts = new QVBoxLayout;
  texts->addWidget(lblVersion_);
  texts->addWidget(lblDescription_);
  texts->addWidget(label1_);
  texts->addStretch();

  auto* body = new QHBoxLayout;
  body->addWidget(picIcon, 0, Qt::AlignTop);
  body->addLayout(texts, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK_);

  auto* inner = new QVBoxLayout;
  inner->addLayout(body);
  inner->addLayout(buttons);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(background);
  layout->addLayout(inner);
  const int margin = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
  inner->setContentsMargins(margin, margin, margin, margin);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutDialog::showModel(const AboutWindow& model) {
  setWindowTitle(QString::fromStdString(model.caption));
  lblVersion_->setText(QString::fromStdString(model.lblVersion.caption));
  lblDescription_->setText(QString::fromStdString(model.lblDescription.caption));
  label1_->setText(QString::fromStdString(model.Label1.caption));
  cmdOK_->setText(QString::fromStdString(model.cmdOK.caption));
  cmdOK_->setAccessibleName(cmdOK_->text());
  cmdOK_->setEnabled(model.cmdOK.enabled);
  if (!isVisible()) QDialog::show();
}

}  // namespace lotwise
