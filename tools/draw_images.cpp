// Draws the program's pictures: the About banner (also at double density) and the icon in
// several sizes.
// Usage: lotwise_draw_images <output folder>
// The results are kept under resources/; run this again only to change them.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cstdio>

namespace {

const QColor kDeepBlue(0x15, 0x3b, 0x6e);
const QColor kBlue(0x27, 0x74, 0xb3);
const QColor kGold(0xf3, 0xc1, 0x4b);
const QColor kGoldEdge(0x9c, 0x6b, 0x0c);

// A key lying along the x axis, its bow centred on the origin, kKeyUnit = the bow's radius.
// Built large because joining shapes flattens their curves into short lines.
constexpr double kKeyUnit = 1000;

QPainterPath KeyShape() {
  const double u = kKeyUnit;
  QPainterPath key;
  key.addEllipse(QPointF(0, 0), u, u);
  key.addRect(QRectF(0.8 * u, -0.22 * u, 2.6 * u, 0.44 * u));
  key.addRect(QRectF(2.55 * u, 0.1 * u, 0.3 * u, 0.62 * u));
  key.addRect(QRectF(3.05 * u, 0.1 * u, 0.35 * u, 0.8 * u));
  QPainterPath hole;
  hole.addEllipse(QPointF(-0.1 * u, 0), 0.42 * u, 0.42 * u);
  return key.simplified().subtracted(hole);
}

void DrawKey(QPainter& painter, QPointF bowCentre, double radius, double degrees) {
  painter.save();
  painter.translate(bowCentre);
  painter.rotate(degrees);
  painter.scale(radius / kKeyUnit, radius / kKeyUnit);
  QPen edge(kGoldEdge);
  edge.setWidthF(0.09 * kKeyUnit);
  painter.setPen(edge);
  QLinearGradient shine(QPointF(0, -kKeyUnit), QPointF(0, kKeyUnit));
  shine.setColorAt(0, kGold.lighter(125));
  shine.setColorAt(1, kGold);
  painter.setBrush(shine);
  painter.drawPath(KeyShape());
  painter.restore();
}

QImage Icon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  QLinearGradient back(QPointF(0, 0), QPointF(0, s));
  back.setColorAt(0, kBlue);
  back.setColorAt(1, kDeepBlue);
  painter.setPen(Qt::NoPen);
  painter.setBrush(back);
  painter.drawRoundedRect(QRectF(0.03 * s, 0.03 * s, 0.94 * s, 0.94 * s), 0.2 * s, 0.2 * s);
  DrawKey(painter, QPointF(0.3 * s, 0.33 * s), 0.16 * s, 40);
  return image;
}

// The banner, 384 x 139 at `scale` 1, drawn larger for denser screens.
QImage Banner(int scale) {
  QImage image(384 * scale, 139 * scale, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&image);
  painter.scale(scale, scale);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient back(QPointF(0, 0), QPointF(384, 139));
  back.setColorAt(0, kDeepBlue);
  back.setColorAt(1, kBlue);
  painter.fillRect(QRectF(0, 0, 384, 139), back);

  // Faint rising bars: bids piling up.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 22));
  for (int i = 0; i < 8; ++i) {
    const double height = 18 + i * 11;
    painter.drawRect(QRectF(232 + i * 19, 139 - height, 13, height));
  }

  DrawKey(painter, QPointF(46, 52), 21, 35);

  QFont title(QStringLiteral("DejaVu Sans"));
  title.setPixelSize(42);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(Qt::white);
  painter.drawText(QRectF(112, 22, 260, 54), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Lotwise"));

  painter.fillRect(QRectF(114, 80, 250, 2), kGold);

  QFont tagline(QStringLiteral("DejaVu Sans"));
  tagline.setPixelSize(12);
  painter.setFont(tagline);
  painter.setPen(QColor(0xe4, 0xee, 0xf8));
  painter.drawText(QRectF(114, 88, 260, 36), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   QStringLiteral("Your Key to the Online Auction Market"));
  return image;
}

bool Save(const QImage& image, const QDir& folder, const QString& name) {
  const QString path = folder.filePath(name);
  if (image.save(path, "PNG")) return true;
  std::fprintf(stderr, "could not write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  bool ok = Save(Banner(1), folder, QStringLiteral("banner.png"));
  ok = Save(Banner(2), folder, QStringLiteral("banner@2x.png")) && ok;
  for (const int size : {16, 32, 64, 256}) {
    ok = Save(Icon(size), folder, QStringLiteral("icon-%1.png").arg(size)) && ok;
  }
  return ok ? 0 : 1;
}
