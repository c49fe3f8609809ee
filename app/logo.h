#pragma once

#include <QByteArray>
#include <QImage>

class QLabel;

namespace app {

// Largest picture DecodeJpeg accepts by default, in pixels; a header claiming more is refused before anything is
// allocated, so a few bytes cannot make it reserve gigabytes.
inline constexpr qint64 kMaxJpegPixels = 16 * 1024 * 1024;

// Decodes a JPEG with libjpeg into an RGB image. Broken, truncated or oversized data gives a null image;
// libjpeg's warnings about corrupt data count as errors, so a half-decoded picture is never shown.
QImage DecodeJpeg(const QByteArray& data, qint64 maxPixels = kMaxJpegPixels);

// The bytes of the window's logo, from the resource ":/logo.jpg".
QByteArray LogoJpeg();

// Shows the JPEG stretched over the label; data that does not decode leaves the label without a picture.
void ShowLogo(QLabel* label, const QByteArray& jpeg);

} // namespace app
