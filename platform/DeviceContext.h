// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing surface: the screen window or a printer page. Coordinates are
// device pixels, y growing downwards. Pens are selected by value; selectPen
// returns the pen that was selected before so the caller can restore it.
#include <cstdint>
#include <string>

namespace parvelin::platform {

struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

enum class PenStyle { Solid, DashDot };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 0;  // 0: one device pixel, whatever the device
    Color color{};
    friend bool operator==(const Pen&, const Pen&) = default;
};

inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kComponentGrey{128, 128, 128};
inline constexpr Color kCutOutline{255, 160, 0};  // the cut outline over the rib, orange

class DeviceContext {
public:
    virtual ~DeviceContext() = default;

    virtual Pen selectPen(const Pen& pen) = 0;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    // Elliptical arc inscribed in the rectangle, counter-clockwise from the
    // radial through (xStart, yStart) to the radial through (xEnd, yEnd).
    virtual void arc(int left, int top, int right, int bottom,
                     int xStart, int yStart, int xEnd, int yEnd) = 0;
    // One line of text in the selected pen's colour, its box's top-left
    // corner at (x, y) and `height` pixels tall.
    virtual void text(int x, int y, int height, const std::string& text) = 0;

    // Device capabilities.
    virtual int pixelsPerInchX() const = 0;
    virtual int pixelsPerInchY() const = 0;
    virtual int pageWidth() const = 0;   // pixels across the drawable area
    virtual int pageHeight() const = 0;  // pixels down the drawable area
};

// Selects a pen for the lifetime of the scope and restores the previous one.
class PenScope {
public:
    PenScope(DeviceContext& dc, const Pen& pen) : dc_(dc), previous_(dc.selectPen(pen)) {}
    ~PenScope() { dc_.selectPen(previous_); }
    PenScope(const PenScope&) = delete;
    PenScope& operator=(const PenScope&) = delete;

private:
    DeviceContext& dc_;
    Pen previous_;
};

} // namespace parvelin::platform
