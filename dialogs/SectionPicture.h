// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A section drawn small: the outline of an airfoil's points in drawing
// order, scaled to fit a picture with its chord across.
#include <QPixmap>
#include <QWidget>
#include <vector>

#include "model/CoordinateFile.h"

namespace parvelin::dialogs {

// The outline in black on white, the chord across `size` less a margin;
// white for fewer than two points.
QPixmap sectionPixmap(const std::vector<CoordinatePair>& drawingOrder, QSize size);

// A widget that shows a section at whatever size it is given.
class SectionPicture : public QWidget {
public:
    explicit SectionPicture(QWidget* parent = nullptr);
    void setSection(std::vector<CoordinatePair> drawingOrder);
    const std::vector<CoordinatePair>& section() const { return points_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<CoordinatePair> points_;
};

} // namespace parvelin::dialogs
