// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wing under a document window's rib: a strip of the panel's ribs (R1 ...
// Rn with their chords) to pick the rib shown above, and the panel in plan
// (leading and trailing edges, rib stations, spar line).
#include <QWidget>

#include "wing/RibSet.h"

class QLabel;
class QListWidget;

namespace parvelin::app {

class PlanView : public QWidget {
    Q_OBJECT
public:
    explicit PlanView(QWidget* parent = nullptr);
    // The set and panel drawn; both must outlive the view or be replaced.
    void setWing(const wing::RibSet* set, const wing::WingPanel* panel, int selected);
    QSize sizeHint() const override { return {320, 140}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const wing::RibSet* set_ = nullptr;
    const wing::WingPanel* panel_ = nullptr;
    int selected_ = -1;
};

class WingPane : public QWidget {
    Q_OBJECT
public:
    explicit WingPane(QWidget* parent = nullptr);
    // Fills the strip and the plan; `error` replaces them with its text.
    void showWing(const wing::RibSet& set, const wing::WingPanel& panel, int selected, bool metric);
    QListWidget* strip() const { return strip_; }
    PlanView* plan() const { return plan_; }

signals:
    // The rib picked in the strip, 0 for the root rib.
    void ribSelected(int index);

private:
    QListWidget* strip_ = nullptr;
    PlanView* plan_ = nullptr;
    QLabel* message_ = nullptr;
};

} // namespace parvelin::app
