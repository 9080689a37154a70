// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small G-code interpreter for the tests: it reads a machine file as a
// controller would (modal G0/G1, absolute positions, M3/M4/M5 and S, F) and
// keeps every move with the state it ran in. It knows nothing of how the
// file was made.
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace parvelin::testing {

struct GcodeMove {
    int motion = 0;                      // 0 or 1
    std::map<char, double> from, to;     // every axis the file has named so far
    std::set<char> named;                // the axes this line named
    bool beamOn = false;                 // M3 or M4 in force with S above 0
    double s = 0.0;
    double feed = 0.0;
};

struct GcodeRun {
    std::vector<GcodeMove> moves;
    std::vector<std::string> codes;      // every G and M word in order ("G21", "M4" ...)
    std::set<char> letters;              // every word letter used
    double largestS = 0.0;
    std::string error;                   // a line it could not read
};

inline GcodeRun readGcode(const std::string& text) {
    GcodeRun run;
    std::map<char, double> at;
    int motion = -1;
    bool spindle = false;
    double s = 0.0, feed = 0.0;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        // Comments: from ';' to the end, and in parentheses.
        if (const auto semicolon = line.find(';'); semicolon != std::string::npos) line.resize(semicolon);
        for (auto open = line.find('('); open != std::string::npos; open = line.find('(')) {
            const auto close = line.find(')', open);
            if (close == std::string::npos) {
                run.error = "unclosed comment in line " + std::to_string(number);
                return run;
            }
            line.erase(open, close - open + 1);
        }
        std::map<char, double> words;
        bool moveWord = false;
        std::set<char> named;
        for (std::size_t i = 0; i < line.size();) {
            const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(line[i])));
            if (std::isspace(static_cast<unsigned char>(c))) {
                ++i;
                continue;
            }
            if (!std::isalpha(static_cast<unsigned char>(c))) {
                run.error = "stray character in line " + std::to_string(number);
                return run;
            }
            std::size_t j = i + 1;
            while (j < line.size() && (std::isdigit(static_cast<unsigned char>(line[j])) || line[j] == '.' ||
                                       line[j] == '-' || line[j] == '+'))
                ++j;
            const std::string value = line.substr(i + 1, j - i - 1);
            if (value.empty() || value.find(',') != std::string::npos) {
                run.error = "a word without a number in line " + std::to_string(number);
                return run;
            }
            // The C locale's reading: the file never holds a comma.
            std::istringstream number_in(value);
            number_in.imbue(std::locale::classic());
            double v = 0.0;
            number_in >> v;
            run.letters.insert(c);
            if (c == 'G' || c == 'M') {
                const int code = static_cast<int>(std::lround(v));
                run.codes.push_back(std::string(1, c) + std::to_string(code));
                if (c == 'G' && (code == 0 || code == 1)) motion = code;
                if (c == 'M' && (code == 3 || code == 4)) spindle = true;
                if (c == 'M' && (code == 5 || code == 2 || code == 30)) spindle = false;
            } else if (c == 'S') {
                s = v;
                run.largestS = std::max(run.largestS, v);
            } else if (c == 'F') {
                feed = v;
            } else {
                words[c] = v;
                named.insert(c);
                moveWord = true;
            }
            i = j;
        }
        if (!moveWord) continue;
        if (motion < 0) {
            run.error = "a move before G0 or G1 in line " + std::to_string(number);
            return run;
        }
        GcodeMove m;
        m.motion = motion;
        m.from = at;
        for (const auto& [axis, v] : words) at[axis] = v;
        m.to = at;
        m.named = named;
        m.beamOn = spindle && s > 0.0;
        m.s = s;
        m.feed = feed;
        run.moves.push_back(m);
    }
    return run;
}

} // namespace parvelin::testing
