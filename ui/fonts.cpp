#include "ui/fonts.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStringList>

namespace huevox {
namespace {

// How dark a caption comes out in `font` at `pixels` pixels, black on white.
qint64 Ink(QFont font, int pixels) {
  font.setPixelSize(pixels);
  const QString sample = QStringLiteral("Style 2");
  const QFontMetrics metrics(font);
  QImage image(metrics.horizontalAdvance(sample) + pixels, metrics.height(),
               QImage::Format_Grayscale8);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(pixels / 2, metrics.ascent(), sample);
  painter.end();
  qint64 ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    const uchar* line = image.constScanLine(y);
    for (int x = 0; x < image.width(); ++x) ink += 255 - line[x];
  }
  return ink;
}

// A bold face can be a wider copy of the regular one with the same strokes
// (Wine's metric-compatible Tahoma Bold is): then bold cannot be told from
// regular. A real bold has about half as much ink again. Checked at scale 1
// and 2 and in italic too: Wine's own drawing of that Tahoma looks bold only
// at the smaller size, and not at all in italic.
bool BoldIsHeavier(const QFont& regular) {
  const int pixels = std::max(QFontInfo(regular).pixelSize(), 11);
  for (int size : {pixels, 2 * pixels}) {
    for (bool italic : {false, true}) {
      QFont plain = regular;
      plain.setItalic(italic);
      QFont bold = plain;
      bold.setBold(true);
      if (Ink(bold, size) * 5 < Ink(plain, size) * 6) return false;
    }
  }
  return true;
}

QFont SizedLikeWindowFont(const QString& family) {
  QFont font(family);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(WindowFont().pointSizeF());
  return font;
}

// Tahoma while its bold is heavier; otherwise the first installed face of a
// similar cut whose bold is: Verdana (Tahoma's wider sibling), DejaVu Sans.
QString BoldFamily() {
  const QString tahoma = WindowFont().family();
  if (BoldIsHeavier(WindowFont())) return tahoma;
  const QStringList installed = QFontDatabase::families();
  for (const char* name : {"Verdana", "DejaVu Sans"}) {
    const QString family = QString::fromLatin1(name);
    if (installed.contains(family) && BoldIsHeavier(SizedLikeWindowFont(family))) return family;
  }
  return tahoma;
}

}  // namespace

QFont BoldWindowFont() {
  static const QString family = BoldFamily();
  QFont font = SizedLikeWindowFont(family);
  font.setBold(true);
  return font;
}

}  // namespace huevox
