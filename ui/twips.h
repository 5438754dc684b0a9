#pragma once
// Window sizes are laid out in twips: 15 twips to the logical pixel (96 dpi).
// Qt scales logical pixels for HiDPI screens, so this stays right there too.
#include <QPointF>
#include <QRect>

namespace huevox {

inline constexpr int kTwipsPerPixel = 15;

constexpr int Px(int twips) {
  return (twips >= 0 ? twips + kTwipsPerPixel / 2 : twips - kTwipsPerPixel / 2) / kTwipsPerPixel;
}
constexpr double Twips(double pixels) { return pixels * kTwipsPerPixel; }
inline QRect TwipsRect(int left, int top, int width, int height) {
  return {Px(left), Px(top), Px(width), Px(height)};
}

}  // namespace huevox
