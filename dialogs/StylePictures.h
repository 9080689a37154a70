// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures of the property pages, drawn by the program itself: a sample
// airfoil built with the style the picture stands for, computed and painted
// through the same document and components as a real rib.
#include <QPixmap>
#include <QSize>

#include "dialogs/ControlIds.h"
#include "model/CoordinateFile.h"
#include "model/RibProperties.h"

namespace parvelin::dialogs {

// What a picture shows: the properties of its sample rib, the part of the
// chord it shows (fractions of the chord) and whether the guide lines show.
struct PictureScene {
    RibProperties properties = kDefaultRibProperties;
    double fromX = -0.03;
    double toX = 1.03;
    bool guideLines = false;
};

PictureScene pictureScene(StylePicture picture);

// The sample airfoil, a cambered section of 12 % thickness from the
// four-digit formula, in drawing order (trailing edge, upper surface, nose,
// lower surface, trailing edge).
CoordinateFileContents sampleAirfoil();

// Draws the picture on a white ground at the given size.
QPixmap renderStylePicture(StylePicture picture, QSize size);

} // namespace parvelin::dialogs
