// SPDX-License-Identifier: GPL-3.0-or-later
// Sizes the program's sources keep to, so that a file can be read whole and
// a function at a glance: no source file over 500 lines, no function body
// over 60. Function bodies are found by their braces once comments, strings
// and character literals are blanked: a '{' outside any function that
// follows a ')' (and perhaps const, override, noexcept or a trailing return
// type) opens one.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kMostFileLines = 500;
constexpr int kMostFunctionLines = 60;

// The text with comments, strings and character literals turned to spaces
// (line breaks kept, so that line numbers stay).
std::string blanked(const std::string& text) {
    std::string out = text;
    enum class In { Code, LineComment, BlockComment, String, Char, Raw } in = In::Code;
    std::string rawEnd;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        auto blank = [&](std::size_t at) { if (out[at] != '\n') out[at] = ' '; };
        switch (in) {
        case In::Code:
            if (c == '/' && next == '/') in = In::LineComment, blank(i);
            else if (c == '/' && next == '*') in = In::BlockComment, blank(i);
            else if (c == 'R' && next == '"' && (i == 0 || !std::isalnum(static_cast<unsigned char>(text[i - 1])))) {
                const std::size_t open = text.find('(', i);
                rawEnd = ")" + text.substr(i + 2, open - i - 2) + "\"";
                in = In::Raw;
            } else if (c == '"') in = In::String;
            else if (c == '\'' && !(i > 0 && std::isxdigit(static_cast<unsigned char>(text[i - 1])))) in = In::Char;
            break;
        case In::LineComment:
            if (c == '\n') in = In::Code; else blank(i);
            break;
        case In::BlockComment:
            blank(i);
            if (c == '*' && next == '/') blank(i + 1), ++i, in = In::Code;
            break;
        case In::String:
        case In::Char:
            if (c == '\\') { blank(i); if (i + 1 < out.size()) blank(i + 1); ++i; break; }
            if ((in == In::String && c == '"') || (in == In::Char && c == '\'')) in = In::Code; else blank(i);
            break;
        case In::Raw:
            if (text.compare(i, rawEnd.size(), rawEnd) == 0) { i += rawEnd.size() - 1; in = In::Code; } else blank(i);
            break;
        }
    }
    return out;
}

struct Body {
    int line = 0;
    int lines = 0;
};

std::vector<Body> functionBodies(const std::string& code) {
    static const std::regex opensFunction(R"re(\)\s*((const|override|noexcept|final|mutable)\s*|->\s*[\w:<>&*, ]+\s*)*$)re");
    static const std::regex control(R"re(\b(if|for|while|switch|catch)\s*\([^;{}]*\)\s*$)re");
    std::vector<Body> bodies;
    struct Open { int line; bool function; };
    std::vector<Open> open;
    int line = 1;
    int inFunction = 0;
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (code[i] == '\n') ++line;
        else if (code[i] == '{') {
            bool function = false;
            if (inFunction == 0) {
                const std::string before = code.substr(i - std::min<std::size_t>(i, 200), std::min<std::size_t>(i, 200));
                function = std::regex_search(before, opensFunction) && !std::regex_search(before, control);
            }
            open.push_back({line, function});
            if (function) ++inFunction;
        } else if (code[i] == '}' && !open.empty()) {
            const Open o = open.back();
            open.pop_back();
            if (o.function) {
                --inFunction;
                bodies.push_back({o.line, line - o.line + 1});
            }
        }
    }
    return bodies;
}

// Every C++ source of the program (not its tests, benchmarks or fuzz targets).
std::vector<fs::path> programSources() {
    const fs::path root = PARVELIN_SOURCE_DIR;
    std::vector<fs::path> sources;
    for (const auto& top : fs::directory_iterator(root)) {
        const std::string folder = top.path().filename().string();
        if (!top.is_directory() || folder.starts_with(".") || folder.starts_with("build") || folder == "tests" ||
            folder == "bench" || folder == "fuzz" || folder == "out")
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(top.path()))
            if (entry.path().extension() == ".h" || entry.path().extension() == ".cpp") sources.push_back(entry.path());
    }
    return sources;
}

} // namespace

TEST(SourceSize, FilesAndFunctionsStayShort) {
    const fs::path root = PARVELIN_SOURCE_DIR;
    int functions = 0;
    for (const fs::path& path : programSources()) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const std::string source = text.str();
        const std::string name = fs::relative(path, root).generic_string();
        const auto lines = std::count(source.begin(), source.end(), '\n');
        EXPECT_LE(lines, kMostFileLines) << name;
        for (const Body& body : functionBodies(blanked(source))) {
            ++functions;
            EXPECT_LE(body.lines, kMostFunctionLines) << name << ":" << body.line;
        }
    }
    EXPECT_GT(functions, 500);
}

// The finder itself: a long function is caught wherever it stands, and the
// braces of classes, namespaces, initialisers and strings are not bodies.
TEST(SourceSize, FunctionBodiesAreFoundByTheirBraces) {
    std::string code = "namespace a {\nstruct S {\n  int f() const {\n    return 1;\n  }\n};\nint v[] = {1, 2};\n"
                       "S::S(int x) : y(x) {\n  if (x) {\n    const char* s = \"}{\";\n  }\n}\n} // }\n";
    const std::vector<Body> bodies = functionBodies(blanked(code));
    ASSERT_EQ(bodies.size(), 2u);
    EXPECT_EQ(bodies[0].line, 3);
    EXPECT_EQ(bodies[0].lines, 3);
    EXPECT_EQ(bodies[1].line, 8);
    EXPECT_EQ(bodies[1].lines, 5);
}
