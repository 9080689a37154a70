// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data behind one document window: the built rib (airfoil points, rib
// properties, components, cut outline, holes), its name and file, and the
// view flags.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/CoordinateFile.h"
#include "dxf/DxfWriter.h"
#include "platform/DeviceContext.h"
#include "platform/Window.h"
#include "geom/ViewTransform.h"
#include "rib/Rib.h"
#include "view/RibPicture.h"

namespace parvelin {

class AirfoilDocument {
public:
    AirfoilDocument();
    ~AirfoilDocument();
    AirfoilDocument(const AirfoilDocument&) = delete;
    AirfoilDocument& operator=(const AirfoilDocument&) = delete;

    void setWindow(platform::Window* window) { window_ = window; }
    platform::Window* getWindow() const { return window_; }
    bool isLoaded() const { return loaded_ != 0; }

    // A null text leaves the document without a name.
    void setName(const char* text);
    const std::optional<std::string>& getName() const { return name_; }
    // The name of the file the airfoil was read from, without its folder;
    // empty until loadFile read one.
    const std::string& fileName() const { return fileName_; }
    // What the export dialog suggests: the airfoil file's name with ".dxf"
    // for its extension, or "*.dxf" when there is no file name.
    std::string exportFileName() const;

    // Appends a point to the airfoil without building the rib again.
    void appendPoint(float modelX, float modelY);
    void freePoints() { rib_.points.clear(); }
    const std::vector<AirfoilPoint>& points() const { return rib_.points; }

    // The rib as built from the points and the properties.
    const Rib& rib() const { return rib_; }
    // The rib with the view flags and the name, for painting and printing.
    RibPicture picture() const;

    // An independent copy of the properties; the caller owns it.
    std::unique_ptr<RibProperties> copyProperties() const { return std::make_unique<RibProperties>(rib_.properties); }
    const RibProperties& properties() const { return rib_.properties; }
    // Builds the rib again from the points and the record.
    void applyProperties(const RibProperties& record);

    // Empties the document for its window's end: title back to "Untitled",
    // components cleared, points freed, window forgotten.
    void reset(platform::Window* window);

    bool showEdgeLines() const { return showEdgeLines_ != 0; }
    bool showChordLine() const { return showChordLine_ != 0; }
    void setShowEdgeLines(bool on) { showEdgeLines_ = on ? 1 : 0; }
    void setShowChordLine(bool on) { showChordLine_ = on ? 1 : 0; }
    // The mean camber line, drawn in the components' grey and printed when
    // shown; off in a new document.
    bool showCamberLine() const { return showCamberLine_ != 0; }
    void setShowCamberLine(bool on) { showCamberLine_ = on ? 1 : 0; }
    // The camber line of the loaded airfoil as an outline (one polyline from
    // the nose aft); empty before a file is loaded.
    const ComponentOutline& camberOutline() const { return rib_.camber; }
    float viewAngle() const { return viewAngle_; }
    // View > Cut outline: draw the rib's cut outline over it.
    bool showCutOutline() const { return showCutOutline_; }
    void setShowCutOutline(bool on) { showCutOutline_ = on; }

    // The rib as it is cut: the airfoil minus what the built components
    // remove, in model coordinates.
    const CutOutline& cutOutline() const { return rib_.cut; }
    // The lightening holes of the rib (LighteningHoles.h); none for hole
    // style None.
    const std::vector<ModelPolygon>& lighteningHoles() const { return rib_.lighteningHoles; }

    const LeadingEdge& leadingEdge() const { return rib_.leadingEdge; }
    const TrailingEdge& trailingEdge() const { return rib_.trailingEdge; }
    const Spar& spars() const { return rib_.spars; }
    const Sheeting& sheeting() const { return rib_.sheeting; }

    // --- Loading ---
    // Reads `path` into this empty document and shows a refused file's
    // message in an ownerless error box (when dialogs are installed).
    ReadStatus loadFile(const std::string& path, platform::Window* window);
    // Takes parsed contents into this empty document: points, components,
    // fit, loaded flag and window title.
    void takeContents(const CoordinateFileContents& contents, platform::Window* window);

    // --- Screen view ---
    // The window's fit: set by fitToWindow, kept while the window is too
    // narrow to fit into; none before the first fit.
    const std::optional<ViewTransform>& screenTransform() const { return screen_; }
    // The airfoil points in window pixels (empty before the first fit).
    std::vector<DevicePoint> screenPoints() const;
    platform::Rect pointBounds() const;
    // The model point under a client-area pixel, by the window's current
    // view; nothing before the first fit.
    std::optional<ModelPosition> modelAt(double x, double y) const;
    // Fits the view to the window's client area (or takes the window's own
    // zoom, once the user zoomed or panned) and asks for a repaint.
    // Returns false, changing nothing, with no points, no window, or a fit
    // into a client narrower than 50 pixels.
    bool fitToWindow();
    void paint(platform::DeviceContext& dc) const;

    // --- Printing at true scale ---
    // The rib on one page of the device's size. `sheetOrigin` is where the
    // device's page lies on that one-page drawing (the sheet): a page of a
    // tiled print shows the sheet's pixels moved by -sheetOrigin.
    bool printRib(platform::DeviceContext& dc, DevicePoint sheetOrigin = {}) const;

    // --- DXF ---
    // The whole drawing: header, the airfoil's lines, each built component's
    // lines in the order leading edge, trailing edge, spars, sheeting, trailer.
    DxfWriter dxfDrawing() const;
    // Writes the drawing to a new file; never touches an existing one.
    // `replace`: an existing file is replaced whole (or left as it was when
    // the write fails) instead of refused.
    FileWriteResult writeDxfFile(const std::string& path, bool replace = false) const;

private:
    std::int32_t showEdgeLines_ = 1;
    std::int32_t showChordLine_ = 1;
    std::int32_t showCamberLine_ = 0;
    bool showCutOutline_ = false;
    std::int32_t loaded_ = 0;
    float viewAngle_ = 0.0f;
    platform::Window* window_ = nullptr;
    std::optional<ViewTransform> screen_;
    Rib rib_;
    std::optional<std::string> name_;
    std::string fileName_;
};

// Messages of the export command.
inline constexpr const char* kMessageExportExists = "The file already exists.\nNothing was exported.";
inline constexpr const char* kMessageExportCannotCreate = "The file could not be created.\nNothing was exported.";
inline constexpr const char* kMessageExportNotFinite =
    "The drawing holds a coordinate that is not a finite number\n(check the chord and the sizes).\nNothing was exported.";
inline constexpr const char* kMessageExportWriteFailed =
    "The file could not be written completely.\nNothing was exported.";
const char* fileWriteMessage(FileWriteResult result);

} // namespace parvelin
