#pragma once
// The program's own drawings, named by resource path without an extension
// (":/icons/save"). Builds with Qt SVG draw them from their SVG sources at any
// scale; builds without it (Windows, whose Qt here has no SVG module) use PNG
// renderings of the same files at 1x and 2x, made at build time.
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace huevox {

QIcon ArtworkIcon(const QString& name);

// A pixmap of `size` device pixels.
QPixmap ArtworkPixmap(const QString& name, QSize size);

}  // namespace huevox
