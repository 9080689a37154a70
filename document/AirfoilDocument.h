// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data behind one document window: the built rib (airfoil points, rib
// properties, components, cut outline, holes), its name and file, and the
// view flags.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/CoordinateFile.h"
#include "rib/Rib.h"
#include "view/RibPicture.h"

namespace parvelin {

class AirfoilDocument {
public:
    AirfoilDocument();
    ~AirfoilDocument();
    AirfoilDocument(const AirfoilDocument&) = delete;
    AirfoilDocument& operator=(const AirfoilDocument&) = delete;

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

    // Empties the document: components cleared, points freed, no name, not
    // loaded; the properties stay.
    void reset();

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
    // Reads `path` into this empty document. A file Open took only in part
    // (percent of the chord, no name line, one surface) loads as the points
    // it took; `hint` (when given) then receives what to tell the user,
    // pointing to File > Import, and is emptied otherwise.
    ReadStatus loadFile(const std::string& path, std::string* hint = nullptr);
    // Takes parsed contents into this empty document: name, points,
    // components and the loaded flag.
    void takeContents(const CoordinateFileContents& contents);

private:
    std::int32_t showEdgeLines_ = 1;
    std::int32_t showChordLine_ = 1;
    std::int32_t showCamberLine_ = 0;
    bool showCutOutline_ = false;
    std::int32_t loaded_ = 0;
    float viewAngle_ = 0.0f;
    Rib rib_;
    std::optional<std::string> name_;
    std::string fileName_;
};

} // namespace parvelin
