// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recording stand-ins for the window, the device context and the dialogs, so
// that the core's drawing and its conversations with the user can be checked.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "model/RibProperties.h"
#include "platform/DeviceContext.h"
#include "platform/Dialogs.h"
#include "platform/Window.h"
#include "geom/ViewTransform.h"

namespace parvelin::testing {

// The fit of a window's client area of the given size, as the document makes it.
inline ViewTransform windowView(int width = 650, int height = 400) {
    return *ViewTransform::fitToWindow(platform::Rect{0, 0, width, height}, 0.0f);
}

// The true-scale transform of a printer page, as printing makes it.
inline ViewTransform pageView(const platform::DeviceContext& dc, const RibProperties& properties) {
    return ViewTransform::trueScale(dc.pixelsPerInchX(), dc.pageHeight(), properties.chord,
                                    inMillimetres(properties));
}

class RecordingWindow : public platform::Window {
public:
    explicit RecordingWindow(int width = 650, int height = 400) : client_{0, 0, width, height} {}
    platform::Rect clientRect() const override { return client_; }
    void invalidate(bool erase) override {
        ++invalidations;
        if (erase) ++erasingInvalidations;
    }
    void setTitle(const std::string& title) override { titles.push_back(title); }
    void resize(int width, int height) { client_ = {0, 0, width, height}; }

    int invalidations = 0;
    int erasingInvalidations = 0;
    std::vector<std::string> titles;

private:
    platform::Rect client_;
};

// One drawing call, with the pen that was selected when it was made.
struct DrawCall {
    enum Kind { MoveTo, LineTo, Arc, Text } kind;
    int x = 0;
    int y = 0;
    platform::Pen pen{};
    int arc[8] = {};
    std::string text{};  // Text: the string; x, y its top-left corner, arc[0] its height
};

class RecordingDeviceContext : public platform::DeviceContext {
public:
    RecordingDeviceContext(int ppiX = 96, int ppiY = 96, int pageWidth = 650, int pageHeight = 400)
        : ppiX_(ppiX), ppiY_(ppiY), pageWidth_(pageWidth), pageHeight_(pageHeight) {}

    platform::Pen selectPen(const platform::Pen& pen) override {
        const platform::Pen previous = pen_;
        pen_ = pen;
        penSelections.push_back(pen);
        return previous;
    }
    void moveTo(int x, int y) override { calls.push_back({DrawCall::MoveTo, x, y, pen_, {}}); }
    void lineTo(int x, int y) override { calls.push_back({DrawCall::LineTo, x, y, pen_, {}}); }
    void arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye) override {
        DrawCall call{DrawCall::Arc, 0, 0, pen_, {l, t, r, b, xs, ys, xe, ye}};
        calls.push_back(call);
    }
    void text(int x, int y, int height, const std::string& text) override {
        calls.push_back({DrawCall::Text, x, y, pen_, {height}, text});
    }
    int pixelsPerInchX() const override { return ppiX_; }
    int pixelsPerInchY() const override { return ppiY_; }
    int pageWidth() const override { return pageWidth_; }
    int pageHeight() const override { return pageHeight_; }

    const platform::Pen& currentPen() const { return pen_; }
    int countLines() const {
        int n = 0;
        for (const DrawCall& c : calls) n += c.kind == DrawCall::LineTo;
        return n;
    }
    int countLinesWith(const platform::Color& color) const {
        int n = 0;
        for (const DrawCall& c : calls) n += c.kind == DrawCall::LineTo && c.pen.color == color;
        return n;
    }

    std::vector<DrawCall> calls;
    std::vector<platform::Pen> penSelections;

private:
    int ppiX_, ppiY_, pageWidth_, pageHeight_;
    platform::Pen pen_{platform::PenStyle::Solid, 0, platform::kBlack};
};

class RecordingDialogs : public platform::Dialogs {
public:
    struct Message {
        platform::Window* owner;
        std::string text;
        std::string caption;
        platform::MessageIcon icon;
    };

    std::optional<std::string> openFile(platform::Window*, const platform::FileDialogSettings& s) override {
        openSettings.push_back(s);
        if (openAnswers.empty()) return std::nullopt;
        auto answer = openAnswers.front();
        openAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> saveFile(platform::Window*, const platform::FileDialogSettings& s) override {
        saveSettings.push_back(s);
        if (saveAnswers.empty()) return std::nullopt;
        auto answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    void messageBox(platform::Window* owner, const std::string& text, const std::string& caption,
                    platform::MessageIcon icon) override {
        messages.push_back({owner, text, caption, icon});
    }
    // With no answer queued the user presses OK on what is offered; a
    // queued nothing is Cancel. A choice the check refuses is said, and then
    // cancelled.
    std::optional<platform::CuttingSheetSettings> cuttingSheet(platform::Window* owner,
                                                               const platform::CuttingSheetSettings& offered,
                                                               const platform::CuttingSheetCheck& check) override {
        sheetOffers.push_back(offered);
        std::optional<platform::CuttingSheetSettings> answer = offered;
        if (!sheetAnswers.empty()) {
            answer = sheetAnswers.front();
            sheetAnswers.pop_front();
        }
        if (answer && check) {
            if (const std::string problem = check(*answer); !problem.empty()) {
                messages.push_back({owner, problem, "Cutting Sheet", platform::MessageIcon::Warning});
                return std::nullopt;
            }
        }
        return answer;
    }

    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::vector<platform::FileDialogSettings> openSettings;
    std::vector<platform::FileDialogSettings> saveSettings;
    std::vector<Message> messages;
    std::deque<std::optional<platform::CuttingSheetSettings>> sheetAnswers;
    std::vector<platform::CuttingSheetSettings> sheetOffers;
};

} // namespace parvelin::testing
