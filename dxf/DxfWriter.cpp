// SPDX-License-Identifier: GPL-3.0-or-later
#include "dxf/DxfWriter.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <fcntl.h>
#include <unistd.h>

#include "dxf/DxfCutTables.h"
#include "text/NumberText.h"

namespace parvelin {
namespace {

// The first handle the cut drawing gives out: the viewport's (0x30) is the
// last one its fixed tables hold.
constexpr unsigned kFirstFreeHandle = 0x31;
// Layer "0" keeps its own handle in R2000.
constexpr std::string_view kLayerZeroHandle = "10";
constexpr int kByLayerColour = 256;

// A cut drawing's number: sixteen decimals, trailing zeros dropped down to
// one ("12.0", "0.8116", "-2.1422819999999998").
std::string cutReal(double value) {
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 16);
    if (error != std::errc()) return "0.0";
    std::string text(buffer, end);
    const std::size_t dot = text.find('.');
    if (dot == std::string::npos) return text;
    std::size_t keep = dot + 2;
    for (std::size_t i = dot + 1; i < text.size(); ++i)
        if (text[i] != '0') keep = i + 1;
    text.resize(keep);
    return text;
}

// A handle as R2000 writes it: upper-case hexadecimal.
std::string hexHandle(unsigned handle) {
    char buffer[16];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, handle, 16);
    std::string text(buffer, error == std::errc() ? end : buffer);
    for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return text;
}

// One line of text: a line break would end the group.
std::string oneLine(std::string_view words) {
    std::string out;
    out.reserve(words.size());
    for (const char ch : words) out += (ch == '\n' || ch == '\r') ? ' ' : ch;
    return out;
}

} // namespace

std::string dxfHeader(bool metric) {
    std::string text(kDxfHeaderVariables);
    text += "9\n$INSUNITS\n70\n";
    text += std::to_string(metric ? kDxfUnitsMillimetres : kDxfUnitsInches);
    text += "\n";
    text += kDxfHeaderTables;
    return text;
}

std::string dxfLineEntity(double x1, double y1, double x2, double y2) {
    std::string text = "0\nLINE\n8\nlines\n62\n7\n10\n";
    text += formatFixed6(x1);
    text += "\n20\n";
    text += formatFixed6(y1);
    text += "\n11\n";
    text += formatFixed6(x2);
    text += "\n21\n";
    text += formatFixed6(y2);
    text += "\n";
    return text;
}

// A group is its code and its value, a line each. The Export drawing writes
// the code as it is; the cut drawing right-aligns it in three places, as
// CAD programs write theirs.
void DxfWriter::group(int code, std::string_view value) {
    if (cut_ && code < 100) text_ += code < 10 ? "  " : " ";
    text_ += std::to_string(code);
    text_ += '\n';
    text_ += value;
    text_ += '\n';
}

void DxfWriter::real(int code, double value) {
    checkFinite(value);
    group(code, cut_ ? cutReal(value) : formatFixed6(value));
}

void DxfWriter::handle() { group(5, hexHandle(nextHandle_++)); }

void DxfWriter::groups(std::string_view table) {
    const char skipped = version_ == DxfVersion::R2000 ? '-' : '+';
    while (!table.empty()) {
        const std::size_t end = std::min(table.find('\n'), table.size());
        const std::string_view line = table.substr(0, end);
        table.remove_prefix(std::min(end + 1, table.size()));
        if (line.size() < 2 || line.front() == skipped) continue;
        const std::string_view rest = line.substr(1);
        const std::size_t blank = std::min(rest.find(' '), rest.size());
        int code = 0;
        std::from_chars(rest.data(), rest.data() + blank, code);
        const std::string_view value = blank < rest.size() ? rest.substr(blank + 1) : std::string_view();
        group(code, value == "@style" ? std::string_view(hexHandle(styleHandle_)) : value);
    }
}

void DxfWriter::header(bool metric) { text_ += dxfHeader(metric); }

void DxfWriter::header(bool metric, std::span<const DxfLayer> layers, double textHeight) {
    const bool r2000 = version_ == DxfVersion::R2000;
    nextHandle_ = kFirstFreeHandle;
    group(999, "Parvelin");
    group(0, "SECTION");
    group(2, "HEADER");
    group(9, "$ACADVER");
    group(1, r2000 ? "AC1015" : "AC1009");
    if (r2000) {
        group(9, "$HANDSEED");
        group(5, "FFFF");
    }
    // The unit, and the matching measurement system (1 metric, 0 imperial).
    group(9, "$INSUNITS");
    group(70, metric ? kDxfUnitsMillimetres : kDxfUnitsInches);
    group(9, "$MEASUREMENT");
    group(70, metric ? 1 : 0);
    group(0, "ENDSEC");
    group(0, "SECTION");
    groups(dxftables::kTablesBeforeLayers);
    layerTable(layers);
    styleTable(textHeight);
    groups(dxftables::kTablesAfterStyle);
    if (!layers.empty()) layer_ = layers.front().name;
}

void DxfWriter::layerTable(std::span<const DxfLayer> layers) {
    const bool r2000 = version_ == DxfVersion::R2000;
    group(0, "TABLE");
    group(2, "LAYER");
    if (r2000) {
        group(5, "2");
        group(100, "AcDbSymbolTable");
    }
    group(70, static_cast<int>(layers.size()) + 1);
    auto entry = [&](std::string_view name, int colour, bool zero) {
        group(0, "LAYER");
        if (r2000) {
            if (zero) group(5, kLayerZeroHandle);
            else handle();
            group(100, "AcDbSymbolTableRecord");
            group(100, "AcDbLayerTableRecord");
        }
        group(2, oneLine(name));
        group(70, 0);
        group(62, colour);
        group(6, "CONTINUOUS");
        if (r2000) {
            group(370, 0);
            group(390, "F");
        }
    };
    entry("0", 7, true);
    for (const DxfLayer& layer : layers) entry(layer.name, layer.colour, false);
    group(0, "ENDTAB");
}

// One text style, "Standard" in the font "txt"; its height the last one
// used, which readers offer for new text.
void DxfWriter::styleTable(double textHeight) {
    const bool r2000 = version_ == DxfVersion::R2000;
    group(0, "TABLE");
    group(2, "STYLE");
    if (r2000) {
        group(5, "3");
        group(100, "AcDbSymbolTable");
    }
    group(70, 1);
    group(0, "STYLE");
    if (r2000) {
        styleHandle_ = nextHandle_;
        handle();
        group(100, "AcDbSymbolTableRecord");
        group(100, "AcDbTextStyleTableRecord");
    }
    group(2, "Standard");
    group(70, 0);
    real(40, 0.0);
    real(41, 1.0);
    real(50, 0.0);
    group(71, 0);
    real(42, textHeight);
    // R2000 names the font in the style's extended data.
    group(3, r2000 ? "" : "txt");
    group(4, "");
    if (r2000) {
        group(1001, "ACAD");
        group(1000, "txt");
        group(1071, 0);
    }
    group(0, "ENDTAB");
}

// An entity's type and common groups: its handle (R2000), its layer, its
// colour and line type by layer.
void DxfWriter::entity(std::string_view type, std::string_view subclass) {
    group(0, type);
    if (version_ == DxfVersion::R12) {
        group(8, layer_);
        group(6, "BYLAYER");
        return;
    }
    handle();
    group(100, "AcDbEntity");
    group(8, layer_);
    group(62, kByLayerColour);
    group(370, 0);
    real(48, 1.0);
    group(6, "BYLAYER");
    group(100, subclass);
}

// A point as its x, y and z groups (code, code + 10, code + 20), moved by the origin.
void DxfWriter::point(int code, double x, double y) {
    real(code, x + originX_);
    real(code + 10, y + originY_);
    real(code + 20, 0.0);
}

void DxfWriter::line(double x1, double y1, double x2, double y2) {
    ++lineCount_;
    if (cut_) {
        entity("LINE", "AcDbLine");
        point(10, x1, y1);
        point(11, x2, y2);
        return;
    }
    x1 += originX_;
    x2 += originX_;
    y1 += originY_;
    y2 += originY_;
    checkFinite(x1);
    checkFinite(y1);
    checkFinite(x2);
    checkFinite(y2);
    text_ += dxfLineEntity(x1, y1, x2, y2);
}

void DxfWriter::text(double x, double y, double height, std::string_view words, double angle) {
    if (!cut_) {
        x += originX_;
        y += originY_;
        checkFinite(x);
        checkFinite(y);
        checkFinite(height);
        text_ += "0\nTEXT\n8\nlines\n62\n7\n10\n" + formatFixed6(x) + "\n20\n" + formatFixed6(y) + "\n40\n" +
                 formatFixed6(height) + "\n1\n" + oneLine(words) + "\n";
        if (angle != 0.0) real(50, angle);
        return;
    }
    entity("TEXT", "AcDbText");
    point(10, x, y);
    real(40, height);
    group(1, oneLine(words));
    real(50, angle);
    real(41, 1.0);
    group(7, "Standard");
    group(71, 0);
    group(72, 0);
    point(11, x, y);
    if (version_ == DxfVersion::R2000) group(100, "AcDbText");
    group(73, 0);
}

void DxfWriter::beginPolyline(std::size_t count, bool closed) {
    vertices_ = 0;
    if (!cut_) return;
    if (version_ == DxfVersion::R2000) {
        entity("LWPOLYLINE", "AcDbPolyline");
        group(90, static_cast<int>(count));
        group(70, closed ? 1 : 0);
        return;
    }
    // R12: the polyline's own entity (flag 66: vertices follow; its point
    // is the elevation), then a VERTEX entity a point, then SEQEND.
    entity("POLYLINE", "");
    group(66, 1);
    group(70, closed ? 1 : 0);
    real(10, 0.0);
    real(20, 0.0);
    real(30, 0.0);
}

void DxfWriter::vertex(double x, double y) {
    if (!cut_) {
        if (vertices_ == 0) {
            firstX_ = x;
            firstY_ = y;
        } else {
            line(lastX_, lastY_, x, y);
        }
        lastX_ = x;
        lastY_ = y;
    } else if (version_ == DxfVersion::R2000) {
        real(10, x + originX_);
        real(20, y + originY_);
    } else {
        group(0, "VERTEX");
        group(8, layer_);
        point(10, x, y);
    }
    ++vertices_;
}

void DxfWriter::endPolyline(bool closed) {
    if (!cut_) {
        if (closed && vertices_ > 0) line(lastX_, lastY_, firstX_, firstY_);
        return;
    }
    if (version_ == DxfVersion::R12) group(0, "SEQEND");
}

void DxfWriter::trailer() {
    if (!cut_) {
        text_ += kDxfTrailer;
        return;
    }
    group(0, "ENDSEC");
    group(0, "EOF");
}

FileWriteResult writeNewFile(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno == EEXIST ? FileWriteResult::AlreadyExists : FileWriteResult::CannotCreate;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ok = false;
        else done += static_cast<std::size_t>(n);
    }
    if (ok && ::fsync(fd) != 0 && errno != EINVAL) ok = false;
    if (::close(fd) != 0) ok = false;
    if (!ok) {
        ::unlink(path.c_str());
        return FileWriteResult::WriteFailed;
    }
    return FileWriteResult::Written;
}

} // namespace parvelin
