// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WingPane.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "text/NumberText.h"
#include "geom/Units.h"

namespace parvelin::app {

PlanView::PlanView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("planView"));
    setMinimumSize(200, 100);
}

void PlanView::setWing(const wing::RibSet* set, const wing::WingPanel* panel, int selected) {
    set_ = set;
    panel_ = panel;
    selected_ = selected;
    update();
}

void PlanView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (set_ == nullptr || panel_ == nullptr || set_->ribs.empty()) return;
    const wing::WingPanel& p = *panel_;
    // The span runs across, the chord down; the root is at the left.
    const double depth = std::max({p.rootChord, p.sweep + p.tipChord, p.rootChord - std::min(0.0, p.sweep)});
    const double top = std::min(0.0, p.sweep);
    const double margin = 12.0;
    const double scale = std::min((width() - 2 * margin) / p.span, (height() - 2 * margin) / (depth - top));
    if (!(scale > 0.0)) return;
    auto at = [&](double span, double chordwise) {
        return QPointF(margin + span * scale, margin + (chordwise - top) * scale);
    };
    painter.setRenderHint(QPainter::Antialiasing, true);
    const wing::WingRib& root = set_->ribs.front();
    const wing::WingRib& tip = set_->ribs.back();
    for (std::size_t i = 0; i < set_->ribs.size(); ++i) {
        const wing::RibStation& s = set_->ribs[i].station;
        painter.setPen(QPen(static_cast<int>(i) == selected_ ? QColor(0, 200, 255) : QColor(128, 128, 128),
                            static_cast<int>(i) == selected_ ? 2 : 1));
        painter.drawLine(at(s.station, s.leadingEdge), at(s.station, s.leadingEdge + s.chord));
    }
    painter.setPen(QPen(Qt::white, 1));
    painter.drawLine(at(0, 0), at(p.span, tip.station.leadingEdge));
    painter.drawLine(at(0, root.station.chord), at(p.span, tip.station.leadingEdge + tip.station.chord));
    if (root.properties.sparStyle != 0) {
        painter.setPen(QPen(QColor(255, 200, 0), 1));
        for (const double edge : {0.0, static_cast<double>(root.properties.sparWidth)})
            painter.drawLine(at(0, root.station.sparDistance + edge),
                             at(p.span, tip.station.leadingEdge + tip.station.sparDistance + edge));
    }
}

WingPane::WingPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("wingPane"));
    strip_ = new QListWidget(this);
    strip_->setObjectName(QStringLiteral("ribStrip"));
    strip_->setFlow(QListView::LeftToRight);
    strip_->setWrapping(false);
    strip_->setFixedHeight(56);
    strip_->setSpacing(2);
    plan_ = new PlanView(this);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("wingMessage"));
    message_->setWordWrap(true);
    message_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(message_);
    layout->addWidget(strip_);
    layout->addWidget(plan_, 1);
    connect(strip_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) emit ribSelected(row);
    });
}

void WingPane::showWing(const wing::RibSet& set, const wing::WingPanel& panel, int selected, bool metric) {
    const QSignalBlocker quiet(strip_);
    strip_->clear();
    std::string problem = set.error.empty() ? set.tabProblem : set.error;
    if (const std::string split = wing::splitRibsMessage(set); set.error.empty() && !split.empty())
        problem += (problem.empty() ? "" : "\n") + split;
    message_->setVisible(!problem.empty());
    message_->setText(QString::fromStdString(problem));
    const char* unit = geom::unitSuffix(metric);
    for (const wing::WingRib& rib : set.ribs) {
        std::string chord = formatFixed6(rib.properties.chord);
        chord.resize(chord.size() - 5);  // one decimal
        // The panels each rib is cut for: "R3 L, R" when both are built.
        std::string sides;
        for (const char letter : std::string(wing::traits(panel.side).letters))
            sides += (sides.empty() ? " " : ", ") + std::string(1, letter);
        strip_->addItem(QString::fromStdString(rib.name() + sides + "\n" + chord + unit));
    }
    if (selected >= 0 && selected < strip_->count()) strip_->setCurrentRow(selected);
    plan_->setWing(&set, &panel, selected);
}

} // namespace parvelin::app
