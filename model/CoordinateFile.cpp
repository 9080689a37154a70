// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CoordinateFile.h"

#include "text/FileBytes.h"
#include "text/NumberText.h"

namespace parvelin {
namespace {

// Finds the end of the line that starts at `start`. The search begins at the
// line's second byte, so a blank line joins the line after it and the scan
// (which skips blank lines) never reads the same numbers twice. A CR LF, a
// lone LF or a lone CR ends a line; `next` receives the start of the next
// line. At the end of the data the line ends there and `next` is the size.
std::size_t lineEnd(std::string_view data, std::size_t start, std::size_t& next) {
    const std::size_t size = data.size();
    std::size_t p = start + 1;
    for (; p < size; ++p) {
        if (data[p] == '\r') break;
        // An LF right after the CR that begins this line is the rest of a
        // blank CR LF line: it joins the next line like any blank line.
        if (data[p] == '\n' && data[p - 1] != '\r') break;
    }
    if (p >= size) {
        next = size;
        return size;
    }
    next = (data[p] == '\r' && p + 1 < size && data[p + 1] == '\n') ? p + 2 : p + 1;
    return p;
}

// The "%f %f" scan: the number of values converted, or -1 when the text
// ended before the first.
int scanPair(const char* text, float& x, float& y) {
    bool atEnd = false;
    const char* p = scanFloat(text, x, atEnd);
    if (p == nullptr) return atEnd ? -1 : 0;
    return scanFloat(p, y, atEnd) != nullptr ? 2 : 1;
}

} // namespace

const char* readStatusMessage(ReadStatus status) {
    switch (status) {
    case ReadStatus::Loaded: return nullptr;
    case ReadStatus::OpenFailed: return kMessageOpenFailed;
    case ReadStatus::TooLarge: return kMessageFileTooLarge;
    case ReadStatus::NoCoordinates: return kMessageNoCoordinates;
    }
    return nullptr;
}

CoordinateFileContents parseCoordinateFile(std::string_view bytes) {
    CoordinateFileContents result;
    if (bytes.size() > kMaxCoordinateFileSize) {
        result.status = ReadStatus::TooLarge;
        return result;
    }
    // A NUL-terminated copy: the number scan reads C text that ends at the
    // file's size (or at a NUL byte inside it, as a C string would).
    const std::string data(bytes);
    const std::size_t size = data.size();

    // Name: the first line, after a UTF-8 byte-order mark if there is one.
    std::size_t nameStart = 0;
    if (data.compare(0, 3, "\xEF\xBB\xBF") == 0) nameStart = 3;
    std::size_t pos = 0;
    const std::size_t nameEnd = nameStart < size ? lineEnd(data, nameStart, pos) : (pos = size);
    std::string name = data.substr(nameStart, nameEnd - nameStart);
    if (const auto nul = name.find('\0'); nul != std::string::npos) name.resize(nul);
    if (name.size() > kMaxNameLength) name.resize(kMaxNameLength);
    result.name = std::move(name);

    // Points: scan two numbers per line; accept x <= 1.0.
    while (pos < size) {
        float x = 0.0f;
        float y = 0.0f;
        const int converted = scanPair(data.c_str() + pos, x, y);
        std::size_t next = size;
        lineEnd(data, pos, next);
        pos = next;
        if (converted == 2) ++result.pairLines;
        if (converted == 2 && x <= 1.0f && pos <= size) result.accepted.push_back({x, y});
        if (converted == -1) break;
    }

    result.drawingOrder = reorderToDrawingOrder(result.accepted);
    if (result.drawingOrder.size() < 2) result.status = ReadStatus::NoCoordinates;
    return result;
}

namespace {

// The trailing-edge point: the first with x exactly 1.0, or, when no point
// has it, the first with the largest x.
std::size_t trailingEdgeIndex(const std::vector<CoordinatePair>& P) {
    const std::size_t N = P.size();
    for (std::size_t i = 0; i < N; ++i)
        if (P[i].modelX == 1.0f) return i;
    std::size_t t = 0;
    for (std::size_t i = 1; i < N; ++i)
        if (P[i].modelX > P[t].modelX) t = i;
    return t;
}

// A file that starts at the trailing edge: its first surface, then the other
// walked back from the end to the nose.
void fromTrailingEdge(const std::vector<CoordinatePair>& P, std::vector<CoordinatePair>& out) {
    const std::size_t N = P.size();
    const float te = P[0].modelX;
    out.push_back(P[0]);
    std::size_t j = 1;
    for (; j < N && P[j].modelX != te; ++j) out.push_back(P[j]);
    if (j + 1 < N) {
        for (std::size_t i = N - 1; i >= j; --i) {
            if (P[i].modelX == 0.0f) break;
            out.push_back(P[i]);
            if (i == j) break;
        }
    }
    // The walk above leaves the file's closing trailing-edge point out;
    // the first point once more closes the outline at the trailing edge,
    // as the two-block order does with its first trailing-edge point.
    if (out.size() >= 2) out.push_back(P[0]);
}

// A file that starts elsewhere, typically at the leading edge: walk back
// from the trailing edge `t` to the nose (index 0 when no point has x 0.0),
// then the other surface.
void fromElsewhere(const std::vector<CoordinatePair>& P, std::size_t t, std::vector<CoordinatePair>& out) {
    const std::size_t N = P.size();
    const float te = P[t].modelX;
    std::size_t k = 0;
    for (std::size_t i = t; i > 0; --i) {
        if (P[i].modelX == 0.0f) {
            k = i;
            break;
        }
        out.push_back(P[i]);
    }
    out.push_back(P[k]);
    if (t + 1 >= N) return;  // the trailing edge is the last point

    if (P[t + 1].modelX == 0.0f) {
        // A second block that starts at the leading edge.
        out.push_back(P[t + 1]);
        for (std::size_t i = t + 2; i < N && P[i].modelX != te; ++i) out.push_back(P[i]);
        out.push_back(P[t]);
    } else {
        // The other surface runs from the end of the file back to the nose
        // (to the block's first point when no point has x 0.0).
        for (std::size_t i = N - 1; i > t; --i) {
            if (P[i].modelX == 0.0f) break;
            out.push_back(P[i]);
        }
    }
}

} // namespace

std::vector<CoordinatePair> reorderToDrawingOrder(const std::vector<CoordinatePair>& P) {
    std::vector<CoordinatePair> out;
    if (P.empty()) return out;
    out.reserve(P.size() + 1);
    const std::size_t t = trailingEdgeIndex(P);
    if (t == 0)
        fromTrailingEdge(P, out);
    else
        fromElsewhere(P, t, out);
    return out;
}

CoordinateFileContents readCoordinateFile(const std::string& path) {
    FileBytes file = readFileBytes(path, kMaxCoordinateFileSize);
    if (file.status == FileBytesStatus::Read) return parseCoordinateFile(file.bytes);
    CoordinateFileContents refused;
    refused.status = file.status == FileBytesStatus::TooLarge ? ReadStatus::TooLarge : ReadStatus::OpenFailed;
    return refused;
}

} // namespace parvelin
