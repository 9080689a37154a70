// SPDX-License-Identifier: GPL-3.0-or-later
#include "dxf/DxfWriter.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <fcntl.h>
#include <unistd.h>

#include "text/NumberText.h"

namespace parvelin {
namespace {

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

void DxfWriter::header(bool metric) { text_ += dxfHeader(metric); }

void DxfWriter::header(bool metric, std::span<const DxfLayer> layers, double textHeight) {
    drawing_.metric = metric;
    drawing_.textHeight = textHeight;
    for (const DxfLayer& layer : layers) drawing_.layers.emplace_back(oneLine(layer.name), layer.colour);
    if (!layers.empty()) layer_ = layers.front().name;
}

void DxfWriter::line(double x1, double y1, double x2, double y2) {
    ++lineCount_;
    x1 += originX_;
    x2 += originX_;
    y1 += originY_;
    y2 += originY_;
    checkFinite(x1);
    checkFinite(y1);
    checkFinite(x2);
    checkFinite(y2);
    if (cut_) {
        DxfCutEntity e;
        e.layer = layer_;
        e.points = {{x1, y1}, {x2, y2}};
        drawing_.entities.push_back(std::move(e));
        return;
    }
    text_ += dxfLineEntity(x1, y1, x2, y2);
}

void DxfWriter::text(double x, double y, double height, std::string_view words, double angle) {
    x += originX_;
    y += originY_;
    checkFinite(x);
    checkFinite(y);
    checkFinite(height);
    if (cut_) {
        checkFinite(angle);
        DxfCutEntity e;
        e.kind = DxfCutEntity::Kind::Text;
        e.layer = layer_;
        e.points = {{x, y}};
        e.height = height;
        e.angle = angle;
        e.words = oneLine(words);
        drawing_.entities.push_back(std::move(e));
        return;
    }
    text_ += "0\nTEXT\n8\nlines\n62\n7\n10\n" + formatFixed6(x) + "\n20\n" + formatFixed6(y) + "\n40\n" +
             formatFixed6(height) + "\n1\n" + oneLine(words) + "\n";
    if (angle != 0.0) {
        checkFinite(angle);
        text_ += "50\n" + formatFixed6(angle) + "\n";
    }
}

void DxfWriter::beginPolyline(std::size_t count, bool closed) {
    vertices_ = 0;
    if (!cut_) return;
    DxfCutEntity e;
    e.kind = DxfCutEntity::Kind::Polyline;
    e.layer = layer_;
    e.closed = closed;
    e.points.reserve(count);
    drawing_.entities.push_back(std::move(e));
}

void DxfWriter::vertex(double x, double y) {
    if (cut_) {
        checkFinite(x + originX_);
        checkFinite(y + originY_);
        drawing_.entities.back().points.emplace_back(x + originX_, y + originY_);
    } else {
        if (vertices_ == 0) {
            firstX_ = x;
            firstY_ = y;
        } else {
            line(lastX_, lastY_, x, y);
        }
        lastX_ = x;
        lastY_ = y;
    }
    ++vertices_;
}

void DxfWriter::endPolyline(bool closed) {
    if (!cut_ && closed && vertices_ > 0) line(lastX_, lastY_, firstX_, firstY_);
}

void DxfWriter::trailer() {
    if (cut_) text_ = dxflibText(drawing_);
    else text_ += kDxfTrailer;
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

const char* fileWriteMessage(FileWriteResult result) {
    switch (result) {
    case FileWriteResult::Written: return "";
    case FileWriteResult::AlreadyExists: return kMessageExportExists;
    case FileWriteResult::CannotCreate: return kMessageExportCannotCreate;
    case FileWriteResult::NotFinite: return kMessageExportNotFinite;
    case FileWriteResult::WriteFailed: return kMessageExportWriteFailed;
    }
    return "";
}

} // namespace parvelin
