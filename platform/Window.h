#pragma once
// The document window as the core sees it: a client rectangle to fit into,
// a way to ask for a repaint, and a title.
#include <string>

namespace parvelin::platform {

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
};

} // namespace parvelin::platform
