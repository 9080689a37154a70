// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A document as a document window shows it: the window's own view of the
// rib (fitted as the window fits it on loading and on every refit) and the
// window's picture of it.
#include <string>
#include <vector>

#include "document/AirfoilDocument.h"
#include "platform/Window.h"
#include "view/RibPicture.h"
#include "view/ScreenView.h"

namespace parvelin::testing {

class ShownDocument : public AirfoilDocument {
public:
    explicit ShownDocument(const platform::Window& window) : window_(window) {}

    // Takes the contents and fits them, as the window shows a loaded file.
    void take(const CoordinateFileContents& contents) {
        takeContents(contents);
        fitToWindow();
    }
    ReadStatus load(const std::string& path) {
        const ReadStatus status = loadFile(path);
        if (status == ReadStatus::Loaded) fitToWindow();
        return status;
    }
    bool fitToWindow() { return view_.fit(rib(), window_, viewAngle()); }
    const ScreenView& view() const { return view_; }
    std::vector<DevicePoint> screenPoints() const { return view_.points(rib()); }
    platform::Rect pointBounds() const { return view_.pointBounds(rib(), window_.clientRect()); }
    void paint(platform::DeviceContext& dc) const { paintRib(dc, picture(), view_.transform(), window_.clientRect()); }

private:
    const platform::Window& window_;
    ScreenView view_;
};

} // namespace parvelin::testing
