// A transcript: commands with the output and exit code each must give. The
// format is described in README.md beside this file.
#pragma once

#include <string>
#include <vector>

namespace qltest {

struct Outcome {
    int exitCode = 0;
    std::string out, err;
};

struct Step {
    int line = 0;          // of the command, in its file
    char kind = '$';       // '$': a program run as a process; '%': done in the runner
    std::string command;   // what follows "$ " or "% "
    std::string input;     // all of standard input
    bool checked = false;  // a '%' step without output or exit code lines is set-up
    Outcome expected;
    bool moreOut = false, moreErr = false;  // "..." ends the lines shown

    bool matches(const Outcome& actual) const;
};

// An outcome as the lines of a transcript, so that a step that does not
// match shows expected and actual in its own notation, line by line.
std::string TranscriptLines(const Outcome& outcome, bool moreOut = false, bool moreErr = false);

// The steps of `text`; false with `problem` ("line N: ...") for a text
// that is not a transcript.
bool ParseTranscript(const std::string& text, std::vector<Step>& steps, std::string& problem);

}  // namespace qltest
