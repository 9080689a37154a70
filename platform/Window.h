// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The document window as the core sees it: a client rectangle to fit into,
// a way to ask for a repaint, and a title.
#include <optional>
#include <string>

namespace parvelin::platform {

// A window's own placement of the model once the user zoomed or panned:
// pixels per chord and the client pixel of the model origin (see
// view/ViewTransform.h for the rule).
struct ZoomedView {
    double scale = 0.0;
    double originX = 0.0;
    double originY = 0.0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class Window {
public:
    virtual ~Window() = default;
    // The client area in its own pixels; left and top are normally 0.
    virtual Rect clientRect() const = 0;
    // Marks the whole client area for repainting; erase repaints the background too.
    virtual void invalidate(bool erase) = 0;
    virtual void setTitle(const std::string& title) = 0;
    // Repaints what is invalid right away (the update after a paint).
    virtual void update() {}
    // The window's own mapping from model to client pixels once the user
    // zoomed or panned; nothing while it shows the fit (view/ViewTransform.h).
    virtual std::optional<ZoomedView> zoomedView() const { return std::nullopt; }
};

} // namespace parvelin::platform
