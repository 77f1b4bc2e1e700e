// Runs the transcripts of transcripts/ (built in: the program is all the x86
// lane copies) against the simulated client, one test each, each from the
// same reset simulated client. "$" lines start the tool as a process; "%"
// lines are done here: qlsim's commands in process (RunQlsim) and the words
// of RunWords. Ends with "N passed, 0 failed".
#include <windows.h>
#include <io.h>
#include <sddl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "commands.h"
#include "sim_control.h"
#include "support/child_process.h"
#include "support/journal.h"
#include "support/language_setup.h"
#include "support/tool_process_win.h"
#include "tools/common/command_line.h"
#include "transcript.h"

namespace qltest {
namespace {

using qltool::Utf8;
using Words = std::vector<std::wstring>;

struct Transcript {
    const char* name;
    const char* text;
};

const Transcript kTranscripts[] = {
#include "transcripts.inc"
};

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &wide[0], int(wide.size()))));
    return wide;
}

// "requests": what the driver received since the last look, a line each.
int Requests() {
    qlsim::SimControl sim;
    std::vector<QlSimJournalEntry> entries;
    if (!sim.readJournal(entries) || !sim.clearJournal()) return 1;
    for (const std::string& line : RequestLines(ToSeenEvents(entries))) printf("%s\n", line.c_str());
    return 0;
}

// "texts credential|condition OFFSET...": the record's texts there, each a
// field of 256 UTF-16 units.
int Texts(const Words& words) {
    std::vector<uint8_t> record;
    if (!qlsim::SimControl().getRecord(words[1] == L"credential" ? QLSIM_RECORD_CREDENTIAL : QLSIM_RECORD_CONDITION,
                                       record))
        return 1;
    for (size_t i = 2; i < words.size(); ++i) {
        std::wstring text;
        const size_t start = std::stoul(words[i]);
        for (size_t at = start; at < start + 512 && at + 1 < record.size() && (record[at] | record[at + 1]); at += 2)
            text += wchar_t(record[at] | record[at + 1] << 8);
        printf("\"%s\"\n", Utf8(text).c_str());
    }
    return 0;
}

// "key-rights KEY SDDL": the access list of HKLM\KEY.
int KeyRights(const Words& words) {
    HKEY key;
    PSECURITY_DESCRIPTOR security = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, words[1].c_str(), 0, WRITE_DAC, &key)) return 1;
    bool set = ConvertStringSecurityDescriptorToSecurityDescriptorW(words[2].c_str(), SDDL_REVISION_1, &security,
                                                                    nullptr) &&
               RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, security) == ERROR_SUCCESS;
    LocalFree(security);
    RegCloseKey(key);
    return set ? 0 : 1;
}

int RunWords(const Words& words) {
    const std::wstring first = words.empty() ? L"" : words[0];
    if (first == L"qlsim") return RunQlsim(Words(words.begin() + 1, words.end()));
    if (first == L"requests" && words.size() == 1) return Requests();
    if (first == L"texts" && words.size() > 2) return Texts(words);
    if (first == L"key-rights" && words.size() == 3) return KeyRights(words);
    if (first == L"language" && words.size() == 2) return SetLanguage(words[1]), 0;
    fprintf(stderr, "not a runner word: %s\n", Utf8(first).c_str());
    return 2;
}

// A binary file in place of standard output or error while a step runs here.
class Captured {
public:
    explicit Captured(int fd) : fd_(fd), saved_(_dup(fd)) {
        wchar_t folder[MAX_PATH], path[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        GetTempFileNameW(folder, L"qlt", 0, path);
        file_ = _wfopen(path, L"w+bD");
        fflush(nullptr);
        _dup2(_fileno(file_), fd);
    }
    std::string take() {
        fflush(nullptr);
        _dup2(saved_, fd_);
        _close(saved_);
        std::string bytes;
        rewind(file_);
        for (int c; (c = fgetc(file_)) != EOF;) bytes += char(c);
        fclose(file_);
        return bytes;
    }

private:
    int fd_, saved_;
    FILE* file_;
};

Outcome InRunner(const std::string& command) {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(Wide(command).c_str(), &count);
    const Words words(argv, argv + count);
    LocalFree(argv);
    Captured out(1), err(2);
    Outcome outcome;
    outcome.exitCode = RunWords(words);
    outcome.err = err.take();
    outcome.out = out.take();
    return outcome;
}

Outcome AsProcess(const Step& step) {
    const size_t space = std::min(step.command.find(' '), step.command.size());
    const std::wstring program = BesideThisProgram(Wide(step.command.substr(0, space) + ".exe").c_str());
    ToolRun run = ToolProcess(program, Wide(step.command.substr(space)), step.input).finish();
    return Outcome{int(run.exitCode), run.out, run.err};
}

int gChecked = 0, gStarted = 0;

class TranscriptTest : public testing::Test {
public:
    TranscriptTest(const std::string& file, const char* text) : file_(file), text_(text) {}

    void TestBody() override {
        std::vector<Step> steps;
        std::string problem;
        ASSERT_TRUE(ParseTranscript(text_, steps, problem)) << file_ << ": " << problem;
        // Each starts from the driver and the diagnostics service running
        // with their defaults, no client configuration (and so no settings
        // stores) and no language.
        if (InRunner("qlsim status").exitCode) InRunner("qlsim start");
        if (InRunner("qlsim diag status").exitCode) InRunner("qlsim diag install"), InRunner("qlsim diag start");
        for (const char* reset : {"qlsim reset", "qlsim config remove", "qlsim diag reset"})
            ASSERT_EQ(InRunner(reset).exitCode, 0) << reset;
        ClearLanguageSettings();
        for (const Step& step : steps) {
            gStarted += step.kind == '$';
            const Outcome actual = step.kind == '$' ? AsProcess(step) : InRunner(step.command);
            if (!step.checked) {
                if (actual.exitCode)
                    ADD_FAILURE_AT(file_.c_str(), step.line) << "set-up failed: % " << step.command << "\n"
                                                             << actual.out << actual.err;
                continue;
            }
            ++gChecked;
            if (!step.matches(actual)) {
                // GoogleTest shows the two line by line, with a diff.
                testing::ScopedTrace at(file_.c_str(), step.line, std::string(1, step.kind) + " " + step.command);
                EXPECT_EQ(TranscriptLines(step.expected, step.moreOut, step.moreErr), TranscriptLines(actual));
            }
        }
    }

private:
    std::string file_;
    const char* text_;
};

}  // namespace
}  // namespace qltest

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    for (const auto& t : qltest::kTranscripts) {
        const std::string name = t.name, file = "tests/tools/transcripts/" + name;
        testing::RegisterTest("Transcript", name.substr(0, name.find('.')).c_str(), nullptr, nullptr, file.c_str(), 1,
                              [file, t]() -> testing::Test* { return new qltest::TranscriptTest(file, t.text); });
    }
    const int result = RUN_ALL_TESTS();
    const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
    printf("\n%d passed, %d failed (transcripts; %d commands checked, %d of them as processes)\n",
           unit.successful_test_count(), unit.failed_test_count(), qltest::gChecked, qltest::gStarted);
    return result;
}
