// Conversions in one process: each on an object of its own, so that many in a row, and one run
// in the middle of another, give what a process of their own gives (the golden cases' files).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "convert/convert.h"
#include "driver/run.h"
#include "lexer/resolver.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A golden case that the command line runs as "in.rr out.rc": its files and what it expects.
struct GoldenCase {
    std::string name;
    std::string source;
    std::map<std::string, std::string> files;  // the case's other files, for its includes
    int status = 0;
    std::string script, out, err;
};

std::vector<GoldenCase> PlainGoldenCases() {
    std::vector<GoldenCase> cases;
    for (const auto& group : fs::directory_iterator(PROPWRIGHT_SOURCE_DIR "/tests/golden")) {
        for (const auto& dir : fs::directory_iterator(group.path())) {
            const fs::path d = dir.path();
            if (fs::exists(d / "args") || fs::exists(d / "stdin") || !fs::exists(d / "in.rr"))
                continue;
            GoldenCase c;
            c.name = group.path().filename().string() + "/" + d.filename().string();
            c.source = ReadFile(d / "in.rr");
            for (const auto& f : fs::recursive_directory_iterator(d)) {
                const std::string rel = fs::relative(f.path(), d).generic_string();
                if (f.is_regular_file() && rel.rfind("expected", 0) != 0)
                    c.files[rel] = ReadFile(f.path());
            }
            if (fs::exists(d / "expected.status")) c.status = std::stoi(ReadFile(d / "expected.status"));
            c.script = ReadFile(d / "expected.rc");
            c.out = ReadFile(d / "expected.stdout");
            c.err = ReadFile(d / "expected.stderr");
            cases.push_back(c);
        }
    }
    return cases;
}

// Serves the case's files; the first time the source is read, runs inside() first.
class ReaderThatRunsFirst : public SourceReader {
public:
    ReaderThatRunsFirst(const std::string& text, std::function<void()> inside)
        : text_(text), inside_(std::move(inside)) {}
    bool Read(char* into, size_t room, size_t& count) override {
        if (inside_) {
            std::function<void()> run = std::move(inside_);
            inside_ = nullptr;
            run();
        }
        return text_.Read(into, room, count);
    }
private:
    TextReader text_;
    std::function<void()> inside_;
};

ConvertResult ConvertCase(const GoldenCase& c, std::function<void()> inside = nullptr) {
    TextResolver includes;
    includes.files = c.files;
    ReaderThatRunsFirst source(c.source, std::move(inside));
    return ConvertStream(source, "in.rr", Settings(), includes, nullptr, DiagnosticSink());
}

void ExpectAsGolden(const GoldenCase& c, const ConvertResult& r) {
    std::string out, err;
    for (const Diagnostic& d : r.diagnostics) (PrintedOnStdout(d) ? out : err) += FormatDiagnostic(d);
    if (r.status == 0 && r.converted == 0)
        err += "WARNING: No resource converted from \"in.rr\".\n";
    EXPECT_EQ(r.status, c.status) << c.name;
    EXPECT_EQ(out, c.out) << c.name;
    EXPECT_EQ(err, c.err) << c.name;
    EXPECT_EQ(r.script, c.script) << c.name;
}

}  // namespace

TEST(ConversionsInOneProcess, OneAfterAnotherAndOneInsideAnother) {
    const std::vector<GoldenCase> cases = PlainGoldenCases();
    ASSERT_GT(cases.size(), 300u);
    for (const GoldenCase& c : cases) ExpectAsGolden(c, ConvertCase(c));
    // Each case starts reading, then the next case runs whole, then the first goes on.
    for (size_t i = 0; i < cases.size(); ++i) {
        const GoldenCase& other = cases[(i + 1) % cases.size()];
        ConvertResult inner;
        const ConvertResult outer = ConvertCase(cases[i], [&] { inner = ConvertCase(other); });
        ExpectAsGolden(cases[i], outer);
        ExpectAsGolden(other, inner);
    }
}

// A string value too long for its record fails on the record's length, before the string's
// own length limit is looked at.
TEST(RecordLength, AStringValueTooLongForItsRecordFailsOnTheRecord) {
    TextResolver none;
    const std::string source =
        "resource 'Vtag' (16000) { { Name { \"" + std::string(70000, 'x') + "\" } } };";
    const ConvertResult r = Convert(source, "in.rr", Settings(), none);
    ASSERT_EQ(r.status, 1);
    // 70000 bytes, the length byte and three zeros to the next multiple of four.
    EXPECT_EQ(FormatDiagnostic(r.diagnostics.back()).substr(0, 79),
              "in.rr(1) : error: Property length 70004 does not fit (at most 65535) ('resource");
}
