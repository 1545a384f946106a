// The run called in-process: repeated runs give identical results whatever ran before, no
// output or temporary file survives a failed run, and the output-file refusals.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "driver/diagnostics.h"
#include "driver/run.h"
#include "lexer/tokenizer.h"

namespace fs = std::filesystem;

namespace {

const std::string kOpening =
    "#define RSCL32(a,b,c,d)   0x ## c ## d, 0x ## a ## b\n"
    "#define LC(a,b,c,d)       #d, #c, #b, #a\n"
    "#define RSCS32(a)         a, 0\n"
    "\n";

std::string Table(const std::string& id, const std::string& text) {
    return "STRINGTABLE\tDISCARDABLE\nBEGIN\n\t" + id + ",\n\t\"" + text + "\"\nEND\n\n";
}

struct RunResult {
    int status;
    std::string out;  // after the banner line
    std::string err;
};

class DriverRun : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/pwdriver.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        previous_ = fs::current_path();
        fs::current_path(dir_);
        Write("good.rr", "#define kId 128\nresource 'STR ' (kId) { \"Hi\" };\n");
        // kId is defined only by good.rr: a run of this alone must not know it.
        Write("bad.rr", "resource 'STR ' (kId) { \"Hi\" };\n");
    }
    void TearDown() override {
        fs::current_path(previous_);
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir_, ignored);
    }

    static void Write(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }
    static std::string Read(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static std::vector<std::string> Listing() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(".")) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    static RunResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), "propwright");
        std::vector<const char*> argv;
        for (const std::string& a : args) argv.push_back(a.c_str());
        argv.push_back(nullptr);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        RunResult r;
        r.status = RunPropwright(int(args.size()), argv.data());
        std::string out = testing::internal::GetCapturedStdout();
        r.err = testing::internal::GetCapturedStderr();
        const size_t eol = out.find('\n');
        EXPECT_EQ(out.rfind("Propwright. Release Version ", 0), 0u) << out;
        r.out = eol == std::string::npos ? "" : out.substr(eol + 1);
        return r;
    }

    std::string dir_;
    fs::path previous_;
};

const std::vector<std::string> kInputs = {"bad.rr", "good.rr"};
const std::vector<std::string> kInputsAndOutput = {"bad.rr", "good.rr", "out.rc"};

TEST_F(DriverRun, RepeatedRunsGiveIdenticalResults) {
    const RunResult first = Run({"good.rr", "out.rc"});
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.out, "");
    EXPECT_EQ(first.err, "");
    EXPECT_EQ(Read("out.rc"), kOpening + Table("128", "Hi"));
    EXPECT_EQ(Listing(), kInputsAndOutput);

    // The symbol of the first run is gone; the failure removes the first run's output too.
    const RunResult failed = Run({"bad.rr", "out.rc"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out,
              "bad.rr(1) : error: GetResourceID: integer expected "
              "('resource 'STR ' (kId) { \"Hi\" };' : 20)\n\n");
    EXPECT_EQ(Listing(), kInputs);

    const RunResult again = Run({"good.rr", "out.rc"});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, first.out);
    EXPECT_EQ(Read("out.rc"), kOpening + Table("128", "Hi"));

    const RunResult failedAgain = Run({"bad.rr", "out.rc"});
    EXPECT_EQ(failedAgain.status, 1);
    EXPECT_EQ(failedAgain.out, failed.out);
    EXPECT_EQ(Listing(), kInputs);
}

TEST_F(DriverRun, SettingsDoNotCarryOver) {
    Write("mixed.rr",
          "resource 'QkPn' (200) {\n\tVersion3 { \"ab\" }\n};\n"
          "resource 'STR ' (5) {\n\t\"a\xA5" "b\"\n};\n");
    const std::string converted = kOpening + Table("5", "a*b");

    RunResult r = Run({"-v", "mixed.rr", "out.rc", "-x"});  // -x is the third argument here
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "    (200)\n    (5)\n");
    EXPECT_EQ(Read("out.rc"),
              kOpening + "200  QkPn  DISCARDABLE\nBEGIN\n-3,\n\t\"ab\\0\"\nEND\n\n" +
                  Table("5", "a*b"));

    r = Run({"mixed.rr", "out.rc", "-j"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Read("out.rc"), kOpening + Table("5", "a\xA5" "b"));

    r = Run({"mixed.rr", "out.rc"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Read("out.rc"), converted);
}

TEST_F(DriverRun, FailureAtTheEndOfInputThenSuccess) {
    // The input ends right after the identifier, inside the header.
    Write("cut.rr", "resource 'STR ' (128");
    RunResult r = Run({"cut.rr", "out.rc"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"bad.rr", "cut.rr", "good.rr"}));
    r = Run({"good.rr", "out.rc"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Read("out.rc"), kOpening + Table("128", "Hi"));
}

// The writing end of a pipe that a run reads as an include: it opens once the run has opened
// the include, so the run then waits in it (-1 when the run never got there within 10 s).
int OpenPipeWhenRead(const char* name) {
    for (int wait = 0; wait < 1000; ++wait) {
        int pipe = open(name, O_WRONLY | O_NONBLOCK);
        if (pipe >= 0) {
            fcntl(pipe, F_SETFL, 0);
            return pipe;
        }
        usleep(10000);
    }
    return -1;
}

void WriteAndClose(int pipe, const std::string& text) {
    EXPECT_EQ(write(pipe, text.data(), text.size()), ssize_t(text.size()));
    close(pipe);
}

TEST_F(DriverRun, TargetKeepsItsEarlierTextWhileTheRunIsUnderWay) {
    // The run waits inside the include with its first block written: a run killed there
    // leaves no partial script.
    ASSERT_EQ(mkfifo("pipe.r", 0600), 0);
    Write("main.rr", "resource 'STR ' (1) { \"One\" };\n#include \"pipe.r\"\n");
    Write("out.rc", "earlier\n");
    RunResult r;
    std::thread run([&r] { r = Run({"main.rr", "out.rc"}); });
    const int pipe = OpenPipeWhenRead("pipe.r");
    if (pipe < 0) {
        run.join();
        FAIL() << "the run never opened the include: " << r.out;
    }
    EXPECT_EQ(Read("out.rc"), "earlier\n");
    WriteAndClose(pipe, "resource 'STR ' (2) { \"Two\" };\n");
    run.join();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Read("out.rc"), kOpening + Table("1", "One") + Table("2", "Two"));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"bad.rr", "good.rr", "main.rr", "out.rc",
                                                   "pipe.r"}));
}

TEST_F(DriverRun, TargetThatCannotBeReplacedAtTheEndIsAFailure) {
    ASSERT_EQ(mkfifo("pipe.r", 0600), 0);
    Write("main.rr", "#include \"pipe.r\"\n");
    RunResult r;
    std::thread run([&r] { r = Run({"main.rr", "out.rc"}); });
    const int pipe = OpenPipeWhenRead("pipe.r");
    if (pipe < 0) {
        run.join();
        FAIL() << "the run never opened the include: " << r.out;
    }
    // Meanwhile a directory that is not empty takes the target's place.
    fs::create_directories("out.rc/inside");
    WriteAndClose(pipe, "resource 'STR ' (2) { \"Two\" };\n");
    run.join();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "main.rr(2) : error: Unable to write output file \"out.rc\" ('' : 1)\n\n");
    EXPECT_TRUE(fs::is_directory("out.rc/inside"));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"bad.rr", "good.rr", "main.rr", "out.rc",
                                                   "pipe.r"}));
}

TEST_F(DriverRun, TargetThatIsADirectoryIsRefused) {
    fs::create_directory("out.rc");
    const RunResult r = Run({"good.rr", "out.rc"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "good.rr(0) : error: Unable to open output file \"out.rc\" ('' : 0)\n\n");
    EXPECT_TRUE(fs::is_directory("out.rc"));
    EXPECT_EQ(Listing(), kInputsAndOutput);
}

TEST_F(DriverRun, ReadOnlyTargetIsRefused) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write any file";
    Write("out.rc", "earlier\n");
    fs::permissions("out.rc", fs::perms::owner_read | fs::perms::group_read |
                                  fs::perms::others_read);
    const RunResult r = Run({"good.rr", "out.rc"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "good.rr(0) : error: Unable to open output file \"out.rc\" ('' : 0)\n\n");
    EXPECT_EQ(Read("out.rc"), "earlier\n");
    EXPECT_EQ(Listing(), kInputsAndOutput);
}

TEST_F(DriverRun, UnwritableDirectoryLeavesNothing) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write any directory";
    fs::create_directory("locked");
    fs::permissions("locked", fs::perms::owner_read | fs::perms::owner_exec);
    const RunResult r = Run({"good.rr", "locked/out.rc"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "good.rr(0) : error: Unable to open output file \"locked/out.rc\" ('' : 0)\n\n");
    EXPECT_TRUE(fs::is_empty("locked"));
}

TEST_F(DriverRun, SourceAsTargetThroughAnAbsolutePathIsRefused) {
    const std::string same = (fs::current_path() / "sub" / ".." / "good.rr").string();
    fs::create_directory("sub");
    const std::string before = Read("good.rr");
    const RunResult r = Run({"good.rr", same});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "good.rr(0) : error: Output file \"" + same + "\" is the source file ('' : 0)\n\n");
    EXPECT_EQ(Read("good.rr"), before);
}

TEST_F(DriverRun, OverlongPathsAreRefused) {
    const std::string target(2048, 'x');
    RunResult r = Run({"good.rr", target});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Path too long"), std::string::npos) << r.out;
    EXPECT_EQ(Listing(), kInputs);

    // A directory part over 255 characters leaves no room for a derived name.
    std::string nested;
    for (int i = 0; i < 26; ++i) nested += "d123456789/";
    fs::create_directories(nested);
    Write(nested + "in.rr", "");
    r = Run({nested + "in.rr"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Path too long"), std::string::npos) << r.out;
    EXPECT_FALSE(fs::exists(nested + "in.rc"));
}

TEST_F(DriverRun, JoinedMessageIsCutAt255Characters) {
    ASSERT_EQ(Run({"good.rr", "out.rc"}).status, 0);
    const std::string operation(150, 'a');
    const std::string message(150, 'b');
    testing::internal::CaptureStdout();
    int status = 0;
    try {
        FatalErrorIn(operation.c_str(), message.c_str());
    } catch (const FatalExit& failure) {
        status = failure.status;
    }
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(status, 1);
    // 150 + ": " + 103 = 255 characters.
    EXPECT_NE(out.find(": error: " + operation + ": " + std::string(103, 'b') + " ('"),
              std::string::npos)
        << out;
    EXPECT_EQ(Read("out.rc"), kOpening + Table("128", "Hi"));  // no output open, none removed
}

TEST_F(DriverRun, SecondPushBackIsFatalAndTheNextRunIsClean) {
    ASSERT_EQ(Run({"good.rr", "out.rc"}).status, 0);
    testing::internal::CaptureStdout();
    int status = 0;
    try {
        UngetToken();
        UngetToken();
    } catch (const FatalExit& failure) {
        status = failure.status;
    }
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find(": error: UngetToken: Can only unget one token at a time ('"),
              std::string::npos)
        << out;
    const RunResult r = Run({"good.rr", "out.rc"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Read("out.rc"), kOpening + Table("128", "Hi"));
}

// The first conditional directive of each run is pointed out once, here in an included file;
// the run's console output and script are those of a run without the notice.
TEST_F(DriverRun, ConditionalNoticeOncePerRun) {
    Write("inc.h", "#ifndef INC_H\n#define INC_H\n#define kId 7\n#endif\n");
    Write("cond.rr",
          "#include \"inc.h\"\n#ifdef kId\nresource 'STR ' (kId) { \"Hi\" };\n#else\n#endif\n");
    const std::string notice =
        "Conditional directives are not evaluated!  Line 1 in file inc.h.  "
        "Run the source through a C preprocessor first.\n";
    for (int run = 0; run < 2; ++run) {
        const RunResult r = Run({"cond.rr", "out.rc"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, notice) << "run " << run;
        EXPECT_EQ(Read("out.rc"), kOpening + Table("7", "Hi"));
    }
    // A run without conditional directives says nothing, whatever ran before.
    const RunResult plain = Run({"good.rr", "out.rc"});
    EXPECT_EQ(plain.err, "");
}

// Whether a run converted anything is its own: a converting run before or after changes nothing.
TEST_F(DriverRun, NothingConvertedWarningPerRun) {
    Write("none.rr", "resource 'ICON' (1) { $\"00\" };\n");
    const std::string warning = "WARNING: No resource converted from \"none.rr\".\n";
    ASSERT_EQ(Run({"good.rr", "out.rc"}).err, "");
    RunResult r = Run({"none.rr", "out.rc"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, warning);
    EXPECT_EQ(Read("out.rc"), kOpening);
    EXPECT_EQ(Run({"good.rr", "out.rc"}).err, "");
    EXPECT_EQ(Run({"none.rr", "out.rc"}).err, warning);
}

}  // namespace
