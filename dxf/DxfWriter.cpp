// SPDX-License-Identifier: GPL-3.0-or-later
#include "dxf/DxfWriter.h"

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <unistd.h>

#include "text/NumberText.h"

namespace parvelin {

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

void DxfWriter::line(double x1, double y1, double x2, double y2) {
    if (originX_ != 0.0 || originY_ != 0.0) {
        x1 += originX_;
        x2 += originX_;
        y1 += originY_;
        y2 += originY_;
    }
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        allFinite_ = false;
    text_ += dxfLineEntity(x1, y1, x2, y2);
    ++lineCount_;
}

void DxfWriter::text(double x, double y, double height, std::string_view words) {
    x += originX_;
    y += originY_;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(height)) allFinite_ = false;
    text_ += "0\nTEXT\n8\nlines\n62\n7\n10\n" + formatFixed6(x) + "\n20\n" + formatFixed6(y) + "\n40\n" +
             formatFixed6(height) + "\n1\n";
    // One line of text: a line break would end the group.
    for (const char ch : words) text_ += (ch == '\n' || ch == '\r') ? ' ' : ch;
    text_ += "\n";
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
