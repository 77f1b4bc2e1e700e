#include "transcript.h"

#include <regex>
#include <sstream>

namespace qltest {

namespace {

const std::string kReturnMark = "\xE2\x90\x8D";  // U+240D stands for a carriage return
const std::string kNoNewline = "\\ no newline at end";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
}

// "{N*TEXT}" is N times TEXT, "{U+XXXX}" the character (in UTF-8), "{xHH}" the byte.
std::string Expanded(const std::string& text) {
    static const std::regex shorthand(R"(\{([0-9]+)\*([^{}]*)\}|\{U\+([0-9A-F]{1,6})\}|\{x([0-9A-F]{2})\})");
    std::string result;
    size_t done = 0;
    for (std::sregex_iterator it(text.begin(), text.end(), shorthand), end; it != end; ++it) {
        const std::smatch& m = *it;
        result += text.substr(done, m.position() - done);
        done = m.position() + m.length();
        if (m[1].matched) {
            for (unsigned long n = std::stoul(m[1]); n > 0; --n) result += m[2];
        } else if (m[4].matched) {
            result += char(std::stoul(m[4], nullptr, 16));
        } else {
            const unsigned long c = std::stoul(m[3], nullptr, 16);
            const int tail = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
            result += char(tail ? (0xFF << (7 - tail)) | (c >> 6 * tail) : c);
            for (int i = tail - 1; i >= 0; --i) result += char(0x80 | ((c >> 6 * i) & 0x3F));
        }
    }
    return result + text.substr(done);
}

// Output as transcript lines, each after `prefix`.
void AddLines(std::vector<std::string>& lines, const std::string& prefix, const std::string& bytes, bool more) {
    const std::string text = Replaced(bytes, "\r", kReturnMark);
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(prefix + text.substr(start, end - start));
    if (start < text.size()) lines.push_back(prefix + text.substr(start)), lines.push_back(prefix + kNoNewline);
    if (more) lines.push_back(prefix + "...");
}

bool Starts(const std::string& text, const std::string& head) { return text.compare(0, head.size(), head) == 0; }
bool Marked(const std::string& line, char mark) { return line == std::string(1, mark) || Starts(line, {mark, ' '}); }
bool IsCommand(const std::string& line) { return Starts(line, "$ ") || Starts(line, "% "); }

bool Same(const std::string& actual, const std::string& expected, bool more) {
    return more ? Starts(actual, expected) : actual == expected;
}

}  // namespace

bool Step::matches(const Outcome& actual) const {
    return actual.exitCode == expected.exitCode && Same(actual.out, expected.out, moreOut) &&
           Same(actual.err, expected.err, moreErr);
}

std::string TranscriptLines(const Outcome& outcome, bool moreOut, bool moreErr) {
    std::vector<std::string> lines;
    AddLines(lines, "", outcome.out, moreOut);
    AddLines(lines, "! ", outcome.err, moreErr);
    std::string text;
    for (const std::string& line : lines) text += line + '\n';
    return text + "? " + std::to_string(outcome.exitCode) + '\n';
}

bool ParseTranscript(const std::string& text, std::vector<Step>& steps, std::string& problem) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty() || lines[i][0] == '#') continue;
        if (!IsCommand(lines[i])) {
            problem = "line " + std::to_string(i + 1) + " is no command, comment or blank line: " + lines[i];
            return false;
        }
        Step step;
        step.line = int(i + 1);
        step.kind = lines[i][0];
        step.command = Expanded(lines[i].substr(2));
        const std::string next = i + 1 < lines.size() ? lines[i + 1] : "";
        step.checked = step.kind == '$' || !(next.empty() || next[0] == '#' || IsCommand(next));
        while (step.checked) {
            if (++i == lines.size()) {
                problem = "the command of line " + std::to_string(step.line) + " has no \"? N\" line";
                return false;
            }
            const std::string& line = lines[i];
            if (Starts(line, "? ")) {
                step.expected.exitCode = std::stoi(line.substr(2));
                break;
            }
            const bool input = Marked(line, '<'), err = Marked(line, '!');
            std::string& stream = input ? step.input : err ? step.expected.err : step.expected.out;
            const std::string content = input || err ? line.substr(std::min<size_t>(2, line.size())) : line;
            if (content == "..." && !input)
                (err ? step.moreErr : step.moreOut) = true;
            else if (content == kNoNewline && !stream.empty())
                stream.pop_back();
            else
                stream += Replaced(Expanded(content), kReturnMark, "\r") + "\n";
        }
        steps.push_back(step);
    }
    return true;
}

}  // namespace qltest
