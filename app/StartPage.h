// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start page: what the frame shows while no document is open. It offers
// Open, the sample designs and the recent files, each one click away, and
// lies over the empty window area; the frame calls refresh() whenever the
// set of document windows or the recent files change.
#include <QWidget>
#include <functional>

class QLabel;
class QVBoxLayout;

namespace parvelin::app {

class FrameWindow;

class StartPage : public QWidget {
    Q_OBJECT
public:
    explicit StartPage(FrameWindow& frame);

    // Shows the page when no document window is open (hides it otherwise)
    // and lists the recent files again.
    void refresh();

    // The buttons of the start page, for the tests: Open, one a sample and
    // one a recent file (the file's path in the "path" property).
    QWidget* openButton() const { return open_; }
    QList<QWidget*> sampleButtons() const { return samples_; }
    QList<QWidget*> recentButtons() const { return recent_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The page's parts, top to bottom.
    void addTitle(QVBoxLayout& column, QWidget* content);
    void addStartButtons(QVBoxLayout& column, QWidget* content);
    void addSamples(QVBoxLayout& column, QWidget* content);
    // Runs an open through the frame; a window it leaves empty (the dialog
    // cancelled, the file refused) is closed again, so that the page comes back.
    void openThrough(const std::function<void()>& open);
    void openFile(const QString& path);
    void rebuildRecent();

    FrameWindow& frame_;
    QWidget* open_ = nullptr;
    QList<QWidget*> samples_;
    QList<QWidget*> recent_;
    QVBoxLayout* recentLayout_ = nullptr;
    QLabel* noRecent_ = nullptr;
};

} // namespace parvelin::app
