// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Help > Contents: the user manual that ships with the program, shown in a
// window of its own.
#include <QString>
#include <QTextBrowser>

class QAction;
class QLineEdit;
class QToolBar;

namespace parvelin::app {

inline constexpr const char* kMessageManualMissing =
    "The user manual could not be found.\nIt is installed with the program, in share/doc/parvelin/manual.";

// The manual's first page: beside the installed program
// (../share/doc/parvelin/manual), else in the source tree the program was
// built from; empty when neither holds it.
QString manualIndexPath();

// The manual's pages with a bar above them: Back and Forward through the
// pages seen, and a box that finds words in the page shown.
class HelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& indexPath, QWidget* parent = nullptr);

    QAction* backAction() const { return back_; }
    QAction* forwardAction() const { return forward_; }
    // Selects the next place after the cursor where `words` stand in the
    // page (case ignored), going round to the top once; false when the page
    // does not hold them.
    bool findInPage(const QString& words);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolBar* bar_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    QLineEdit* search_ = nullptr;
};

} // namespace parvelin::app
