// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Edit > Copy: the rib on the clipboard as SVG (image/svg+xml) and as a
// picture, black on white at true proportions.
#include <QByteArray>
#include <QImage>
#include <memory>

class QMimeData;

namespace parvelin {
class AirfoilDocument;
}

namespace parvelin::app {

// The width of the picture put beside the SVG, in pixels.
inline constexpr int kRibPictureWidth = 1600;

// The rendered picture of an SVG text: white ground, kRibPictureWidth wide,
// as high as its viewBox's proportions ask. A null image for text that
// does not render.
QImage renderSvgPicture(const QByteArray& svg, int width = kRibPictureWidth);

// Both forms of a loaded document's rib; null for a document that is not loaded.
std::unique_ptr<QMimeData> ribMimeData(const AirfoilDocument& document);

} // namespace parvelin::app
