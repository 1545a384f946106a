// The run called in-process (or in a child process where a signal, a resource limit or another
// user is involved): repeated runs give identical results whatever ran before, no output or
// temporary file survives a failed or interrupted run, the output-file refusals, and each kind
// of target: links, devices, FIFOs, descriptors, and the mode of what is written.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#ifdef __linux__
#include <sys/sysmacros.h>
#endif
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/diagnostics.h"
#include "driver/run.h"
#include "tests/unit/convert_rows.h"

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

std::string Table(const std::string& id, const std::string& text) {
    return "STRINGTABLE\tDISCARDABLE\nBEGIN\n\t" + id + ",\n\t\"" + text + "\"\nEND\n\n";
}
const std::string kGood = kScriptStart + Table("128", "Hi");  // the script of good.rr
const std::string kNoOutput = "good.rr(0) : error: Unable to open output file \"";
const std::string kOne = "resource 'STR ' (1) { \"One\" };\n";
const std::string kTwo = "resource 'STR ' (2) { \"Two\" };\n";

struct RunResult {
    int status;
    std::string out;  // standard output after the banner line
    std::string err;
};

// Each test runs in a fresh folder of its own, made the current one.
class DriverRun : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "propwright_driver_XXXXXX").string();
        if (!mkdtemp(&name[0])) throw std::runtime_error("no temporary folder");
        dir_ = name;
        previous_ = fs::current_path();
        fs::current_path(dir_);
        Write("good.rr", "#define kId 128\nresource 'STR ' (kId) { \"Hi\" };\n");
        // kId is defined only by good.rr: a run of this alone must not know it.
        Write("bad.rr", "resource 'STR ' (kId) { \"Hi\" };\n");
    }
    void TearDown() override {
        fs::current_path(previous_);
        std::error_code ignored;  // a test may have taken the folder's write permission away
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir_, ignored);
    }

public:
    static void Write(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }
    static std::string Read(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static Names Listing(const std::string& folder = ".") {
        Names names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The console after the banner line, which must come first.
    static std::string AfterBanner(const std::string& out) {
        EXPECT_EQ(out.rfind("Propwright. Release Version ", 0), 0u) << out;
        const size_t eol = out.find('\n');
        return eol == std::string::npos ? "" : out.substr(eol + 1);
    }
    // RunPropwright with these arguments after the program name.
    static int RunTool(Names args) {
        args.insert(args.begin(), "propwright");
        std::vector<const char*> argv;
        for (const std::string& a : args) argv.push_back(a.c_str());
        argv.push_back(nullptr);
        return RunPropwright(int(args.size()), argv.data());
    }
    // A run in this process, the console captured.
    static RunResult Run(const Names& args) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int status = RunTool(args);
        const std::string out = testing::internal::GetCapturedStdout();
        return RunResult{status, AfterBanner(out), testing::internal::GetCapturedStderr()};
    }

protected:
    // A run in a child process: a signal or a resource limit reaches the child alone. prepare
    // runs in the child first; with unprivileged, a child of root then runs as user and group
    // 65534, which own the test folder from then on. meanwhile(pid) runs here during the run.
    // The status is as a shell reports it (128 + the signal that ended the child); standard
    // output and error come back through one pipe, after the banner (all of it when a signal
    // ended the child, before its buffered output was written).
    RunResult RunChild(const Names& args, bool unprivileged,
                       const std::function<void()>& prepare = {},
                       const std::function<void(pid_t)>& meanwhile = {}) {
        const bool dropping = unprivileged && geteuid() == 0;
        if (dropping) {
            for (const auto& entry : fs::recursive_directory_iterator(dir_))
                EXPECT_EQ(lchown(entry.path().c_str(), kNobody, kNobody), 0) << entry.path();
            EXPECT_EQ(lchown(dir_.c_str(), kNobody, kNobody), 0);
        }
        int fds[2];
        EXPECT_EQ(pipe(fds), 0);
        fflush(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            close(fds[0]);
            dup2(fds[1], STDOUT_FILENO);
            dup2(fds[1], STDERR_FILENO);
            close(fds[1]);
            if (prepare) prepare();
            if (dropping && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 ||
                             setuid(kNobody) != 0))
                _exit(100);
            // As in the program itself, an exception that escapes the run terminates it.
            [&args]() noexcept {
                const int status = RunTool(args);
                fflush(nullptr);
                _exit(status);
            }();
        }
        close(fds[1]);
        EXPECT_GT(pid, 0);
        if (meanwhile) meanwhile(pid);
        std::string out;
        char block[4096];
        ssize_t count;
        while ((count = read(fds[0], block, sizeof block)) > 0) out.append(block, count);
        close(fds[0]);
        int wait = 0;
        EXPECT_EQ(waitpid(pid, &wait, 0), pid);
        if (WIFSIGNALED(wait)) return RunResult{128 + WTERMSIG(wait), out, ""};
        return RunResult{WIFEXITED(wait) ? WEXITSTATUS(wait) : -1, AfterBanner(out), ""};
    }

    // Runs main.rr (first, then an include of the FIFO pipe.r) into target in a child, calling
    // during(pid) while the run waits in the include; then the include gets text and ends.
    RunResult RunHeldInInclude(const std::string& first, const std::string& target,
                               const std::function<void(pid_t)>& during,
                               const std::string& text = kTwo,
                               const std::function<void()>& prepare = {}) {
        Write("main.rr", first + "#include \"pipe.r\"\n");
        if (!fs::exists("pipe.r")) { EXPECT_EQ(mkfifo("pipe.r", 0600), 0); }
        return RunChild({"main.rr", target}, false, prepare, [&](pid_t pid) {
            // The writing end opens once the run has opened the include.
            int pipe = -1;
            for (int wait = 0; wait < 3000 && pipe < 0; ++wait) {
                pipe = open("pipe.r", O_WRONLY | O_NONBLOCK);
                if (pipe < 0) usleep(10000);
            }
            if (pipe < 0) {
                ADD_FAILURE() << "the run never opened the include within 30 s";
                kill(pid, SIGKILL);
                return;
            }
            fcntl(pipe, F_SETFL, 0);
            during(pid);
            // A run a signal ended may be gone: nothing is written to it then.
            if (!text.empty()) {
                EXPECT_EQ(write(pipe, text.data(), text.size()), ssize_t(text.size()));
            }
            close(pipe);
        });
    }

    static constexpr uid_t kNobody = 65534;
    std::string dir_;
    fs::path previous_;
};

// Runs in one process share nothing: symbols, settings, notices, include chains and the
// outcome of an earlier run, failed or not, leave the next run as it would be alone. Each
// leaves the signal actions as it found them, ignored or not.
TEST_F(DriverRun, EveryRunStartsAfresh) {
    struct sigaction ignore = {}, previousHup;
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(sigaction(SIGHUP, &ignore, &previousHup), 0);
    const auto actionOf = [](int signal) {
        struct sigaction now;
        sigaction(signal, nullptr, &now);
        return now.sa_handler;
    };
    const auto term = actionOf(SIGTERM);
    const std::string badOut = "bad.rr(1) : error: GetResourceID: integer expected "
                               "('resource 'STR ' (kId) { \"Hi\" };' : 20)\n\n";
    const std::string notice =
        "Conditional directives are not evaluated!  Line 1 in file inc.h.  "
        "Run the source through a C preprocessor first.\n";
    const std::string nothing = "WARNING: No resource converted from \"none.rr\".\n";
    Write("mixed.rr", "resource 'QkPn' (200) {\n\tVersion3 { \"ab\" }\n};\n"
                      "resource 'STR ' (5) {\n\t\"a\xA5" "b\"\n};\n");
    Write("cut.rr", "resource 'STR ' (128");  // ends inside the header
    Write("inc.h", "#ifndef INC_H\n#define INC_H\n#define kId 7\n#endif\n");
    Write("cond.rr",
          "#include \"inc.h\"\n#ifdef kId\nresource 'STR ' (kId) { \"Hi\" };\n#else\n#endif\n");
    Write("none.rr", "resource 'ICON' (1) { $\"00\" };\n");
    Write("loop.r", "#include \"loop.r\" // again\n");
    Write("run1.rr", "#define kId 5\nenum { Y = 6 };\n#include \"loop.r\" // loop\n");
    Write("run2.rr", "#include \"run1.rr\"\n");
    const std::string qkpn = "200  QkPn  DISCARDABLE\nBEGIN\n-3,\n\t\"ab\\0\"\nEND\n\n";
    const struct {
        Names args;  // a lone source is converted to out.rc
        int status;
        std::string out, err, script;  // a failed run leaves no out.rc
    } steps[] = {
        {{"good.rr"}, 0, "", "", kGood},
        {{"bad.rr"}, 1, badOut, "", ""},
        {{"cut.rr"}, 1, "?", "", ""},  // its message is not the point here
        {{"-v", "mixed.rr", "out.rc", "-x"}, 0, "", "    (200)\n    (5)\n",
         kScriptStart + qkpn + Table("5", "a*b")},
        {{"mixed.rr", "out.rc", "-j"}, 0, "", "", kScriptStart + Table("5", "a\xA5" "b")},
        {{"mixed.rr"}, 0, "", "", kScriptStart + Table("5", "a*b")},
        {{"cond.rr"}, 0, "", notice, kScriptStart + Table("7", "Hi")},
        {{"cond.rr"}, 0, "", notice, kScriptStart + Table("7", "Hi")},
        {{"none.rr"}, 0, "", nothing, kScriptStart},
        {{"run1.rr"}, 1, "loop.r(1) : error: Recursive include of file \"loop.r\" "
                         "('#include \"loop.r\" // again' : 17)\n\n", "", ""},
        {{"bad.rr"}, 1, badOut, "", ""},
    };
    for (const auto& step : steps) {
        Names args = step.args;
        if (args.size() == 1) args.push_back("out.rc");
        SCOPED_TRACE(args[0]);
        const RunResult r = Run(args);
        EXPECT_EQ(r.status, step.status);
        if (step.out != "?") { EXPECT_EQ(r.out, step.out); }
        EXPECT_EQ(r.err, step.err);
        EXPECT_EQ(fs::exists("out.rc"), step.status == 0);
        if (step.status == 0) { EXPECT_EQ(Read("out.rc"), step.script); }
        EXPECT_TRUE(actionOf(SIGHUP) == SIG_IGN && actionOf(SIGTERM) == term);
    }
    sigaction(SIGHUP, &previousHup, nullptr);
    for (const std::string& name : Listing()) EXPECT_EQ(name.find("propwright-"), std::string::npos);
    // The include chain of the failed run is gone: run1.rr may be included again.
    Write("run1.rr", "#define X 5\nresource 'STR ' (X) { \"x\" };\n");
    EXPECT_EQ(Run({"run2.rr", "out.rc"}).status, 0);
}

std::string LinkText(const std::string& name) {
    return fs::is_symlink(name) ? fs::read_symlink(name).string() : "(not a link)";
}

// The run waits in the include with its first block written: the target the link leads to
// still holds its earlier text, the script gathers in a temporary file beside it.
TEST_F(DriverRun, TargetKeepsItsEarlierTextWhileTheRunIsUnderWay) {
    fs::create_directory("sub");
    Write("sub/real.rc", "earlier\n");
    fs::create_symlink("sub/real.rc", "link.rc");
    Names inSub, here;
    const RunResult r = RunHeldInInclude(kOne, "link.rc", [&](pid_t) {
        EXPECT_EQ(Read("sub/real.rc"), "earlier\n");
        inSub = Listing("sub");
        here = Listing();
    });
    ASSERT_EQ(inSub.size(), 2u);
    EXPECT_EQ(inSub[0], "real.rc");
    // "real.rc.propwright-" and six characters.
    EXPECT_EQ(inSub[1].rfind("real.rc.propwright-", 0), 0u) << inSub[1];
    EXPECT_EQ(inSub[1].size(), 25u) << inSub[1];
    const Names names = {"bad.rr", "good.rr", "link.rc", "main.rr", "pipe.r", "sub"};
    EXPECT_EQ(here, names);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Read("sub/real.rc"), kScriptStart + Table("1", "One") + Table("2", "Two"));
    EXPECT_EQ(LinkText("link.rc"), "sub/real.rc");
    EXPECT_EQ(Listing(), names);
    EXPECT_EQ(Listing("sub"), Names{"real.rc"});
}

TEST_F(DriverRun, TargetThatCannotBeReplacedAtTheEndIsAFailure) {
    // Meanwhile a directory that is not empty takes the target's place.
    const RunResult r =
        RunHeldInInclude("", "out.rc", [](pid_t) { fs::create_directories("out.rc/inside"); });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "main.rr(2) : error: Unable to write output file \"out.rc\" ('' : 1)\n\n");
    EXPECT_TRUE(fs::is_directory("out.rc/inside"));
    EXPECT_EQ(Listing(), (Names{"bad.rr", "good.rr", "main.rr", "out.rc", "pipe.r"}));
}

// As root the refusals are checked by a child that runs as an ordinary user.
TEST_F(DriverRun, ReadOnlyTargetAndUnwritableDirectoryAreRefused) {
    Write("out.rc", "earlier\n");
    fs::permissions("out.rc", fs::perms::owner_read | fs::perms::group_read |
                                  fs::perms::others_read);
    fs::create_directory("locked");
    fs::permissions("locked", fs::perms::owner_read | fs::perms::owner_exec);
    for (const std::string target : {"out.rc", "locked/out.rc"}) {
        const RunResult r = RunChild({"good.rr", target}, true);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, kNoOutput + target + "\" ('' : 0)\n\n");
    }
    EXPECT_EQ(Read("out.rc"), "earlier\n");
    EXPECT_TRUE(fs::is_empty("locked"));
    EXPECT_EQ(Listing(), (Names{"bad.rr", "good.rr", "locked", "out.rc"}));
}

TEST_F(DriverRun, LinksAreFollowedToTheFileThatIsReplacedOrCreated) {
    fs::create_directory("sub");
    Write("sub/real.rc", "earlier\n");
    const std::pair<const char*, const char*> links[] = {
        {"link.rc", "second.rc"}, {"second.rc", "sub/real.rc"}, {"dangling.rc", "sub/made.rc"},
        {"sub/near.rc", "real.rc"}, {"lost.rc", "none/made.rc"}};
    for (const auto& link : links) fs::create_symlink(link.second, link.first);
    EXPECT_EQ(Run({"good.rr", "link.rc"}).status, 0);
    EXPECT_EQ(Run({"good.rr", "dangling.rc"}).status, 0);
    EXPECT_EQ(Read("sub/real.rc"), kGood);
    EXPECT_EQ(Read("sub/made.rc"), kGood);
    // A relative link is read from the link's own directory. The failure removes the file the
    // run was to replace, never a link.
    EXPECT_EQ(Run({"bad.rr", "sub/near.rc"}).status, 1);
    // A link into a missing directory cannot be followed to a file: refused, nothing made.
    EXPECT_EQ(Run({"good.rr", "lost.rc"}).out, kNoOutput + "lost.rc\" ('' : 0)\n\n");
    for (const auto& link : links) EXPECT_EQ(LinkText(link.first), link.second);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status("sub/made.rc")));
    EXPECT_EQ(Listing("sub"), (Names{"made.rc", "near.rc"}));
    EXPECT_EQ(Listing(), (Names{"bad.rr", "dangling.rc", "good.rr", "link.rc", "lost.rc",
                                "second.rc", "sub"}));
}

// A FIFO is written straight, and so is a descriptor of this process open for appending, as a
// shell's >> gives standard output: the script follows what is there, nothing is replaced,
// truncated or left beside them.
TEST_F(DriverRun, FifoAndOwnDescriptorAreWrittenStraight) {
    ASSERT_EQ(mkfifo("out.rc", 0640), 0);
    std::string received;
    std::thread reader([&received] { received = Read("out.rc"); });
    EXPECT_EQ(Run({"good.rr", "out.rc"}).status, 0);
    // A build that never opens the FIFO would leave the reader waiting: release it.
    const int release = open("out.rc", O_WRONLY | O_NONBLOCK);
    if (release >= 0) close(release);
    reader.join();
    EXPECT_EQ(received, kGood);
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status("out.rc")));

    if (!fs::exists("/proc/self/fd")) GTEST_SKIP() << "no /proc descriptor directory";
    Write("log.rc", "header\n");
    const int fd = open("log.rc", O_WRONLY | O_APPEND);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(Run({"good.rr", "/proc/self/fd/" + std::to_string(fd)}).status, 0);
    close(fd);
    EXPECT_EQ(Read("log.rc"), "header\n" + kGood);
    EXPECT_EQ(Listing(), (Names{"bad.rr", "good.rr", "log.rc", "out.rc"}));
}

TEST_F(DriverRun, CharacterDeviceTargetIsWrittenStraightAndNeverRemoved) {
#ifndef __linux__
    GTEST_SKIP() << "the device numbers below are those of Linux";
#endif
    if (geteuid() != 0) GTEST_SKIP() << "making a device node takes root";
    // The null device (1, 3) and the always-full device (1, 7), made here, not the machine's.
    ASSERT_EQ(mknod("null.rc", S_IFCHR | 0666, makedev(1, 3)), 0);
    ASSERT_EQ(mknod("full.rc", S_IFCHR | 0666, makedev(1, 7)), 0);
    EXPECT_EQ(Run({"good.rr", "null.rc"}).status, 0);
    EXPECT_EQ(Run({"bad.rr", "null.rc"}).status, 1);
    // Writing fails on the full device: an error, and the device stays.
    const RunResult full = Run({"good.rr", "full.rc"});
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.out, "good.rr(3) : error: Unable to write output file \"full.rc\" ('' : 1)\n\n");
    for (const auto& device : {std::make_pair("null.rc", 3u), std::make_pair("full.rc", 7u)}) {
        struct stat info;
        EXPECT_TRUE(lstat(device.first, &info) == 0 && S_ISCHR(info.st_mode) &&
                    major(info.st_rdev) == 1 && minor(info.st_rdev) == device.second);
    }
    EXPECT_EQ(Listing(), (Names{"bad.rr", "full.rc", "good.rr", "null.rc"}));
}

// A replaced file keeps its mode, owner and group (giving it away takes root), whatever the
// umask; a new one follows the umask.
TEST_F(DriverRun, ReplacedFileKeepsItsModeAndOwnerAndANewOneFollowsTheUmask) {
    const mode_t previousMask = umask(027);
    Write("kept.rc", "earlier\n");
    ASSERT_EQ(chmod("kept.rc", 0604), 0);
    const bool root = geteuid() == 0;
    if (root) { ASSERT_EQ(chown("kept.rc", kNobody, kNobody), 0); }
    EXPECT_EQ(Run({"good.rr", "kept.rc"}).status, 0);
    EXPECT_EQ(Run({"good.rr", "new1.rc"}).status, 0);
    umask(002);
    EXPECT_EQ(Run({"good.rr", "new2.rc"}).status, 0);
    umask(previousMask);
    struct stat kept;
    ASSERT_EQ(stat("kept.rc", &kept), 0);
    EXPECT_EQ(kept.st_mode & 07777, mode_t(0604));
    EXPECT_TRUE(!root || (kept.st_uid == kNobody && kept.st_gid == kNobody));
    EXPECT_EQ(Read("kept.rc"), kGood);
    EXPECT_EQ(fs::status("new1.rc").permissions(), fs::perms(0640));
    EXPECT_EQ(fs::status("new2.rc").permissions(), fs::perms(0664));
}

// An ending signal ends the run as it waits in an include: status 128 + the signal, the
// earlier target and nothing else left. Ignored (under nohup, SIGHUP), it leaves the run alone.
TEST_F(DriverRun, EndingSignalRemovesTheTemporaryFileAndAnIgnoredOneChangesNothing) {
    Write("main.rr", "");
    ASSERT_EQ(mkfifo("pipe.r", 0600), 0);
    Write("out.rc", "earlier\n");
    const Names before = Listing();
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, 0}) {
        SCOPED_TRACE(signal);
        Names during;
        // Pending before the include ends, the signal is taken first; a run that ignored it
        // would finish instead of hanging the test.
        const auto interrupt = [&](pid_t pid) {
            during = Listing();
            kill(pid, signal == 0 ? SIGHUP : signal);
        };
        // The child starts with the default actions, whatever this process inherited (a
        // background job ignores SIGINT and SIGQUIT), and dumps no core.
        const auto prepare = [signal] {
            for (const int s : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) ::signal(s, SIG_DFL);
            if (signal == 0) ::signal(SIGHUP, SIG_IGN);
            const struct rlimit noCore = {0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
        };
        const RunResult r =
            RunHeldInInclude(kOne, "out.rc", interrupt, signal ? "" : kTwo, prepare);
        // Meanwhile the temporary file lay beside the target.
        ASSERT_EQ(during.size(), before.size() + 1);
        EXPECT_TRUE(std::any_of(during.begin(), during.end(), [](const std::string& name) {
            return name.rfind("out.rc.propwright-", 0) == 0;
        }));
        EXPECT_EQ(r.status, signal ? 128 + signal : 0);  // 143 for SIGTERM
        EXPECT_EQ(Read("out.rc"), signal ? "earlier\n"
                                         : kScriptStart + Table("1", "One") + Table("2", "Two"));
        EXPECT_EQ(Listing(), before);
    }
}

#if defined(__SANITIZE_ADDRESS__)
#define PW_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PW_SANITIZED 1
#endif
#endif

TEST_F(DriverRun, OutOfMemoryIsReportedAndLeavesNoOutput) {
#ifdef PW_SANITIZED
    GTEST_SKIP() << "the sanitizer's allocator does not run under an address-space limit";
#endif
    if (!fs::exists("/proc/self/statm")) GTEST_SKIP() << "no /proc to measure the process by";
    // Each definition copies a 400000-character string: 400 of them cannot fit in 64 MB more
    // than the process already has.
    std::string text = "#define A \"" + std::string(400000, 'x') + "\"\n";
    for (int i = 0; i < 400; ++i) text += "#define B" + std::to_string(i) + " A\n";
    Write("big.rr", text);
    Write("out.rc", "earlier\n");
    const RunResult r = RunChild({"big.rr", "out.rc"}, false, [] {
        long pages = 0;
        if (FILE* statm = fopen("/proc/self/statm", "r")) {
            if (fscanf(statm, "%ld", &pages) != 1) pages = 0;
            fclose(statm);
        }
        if (pages <= 0) _exit(101);
        const rlim_t limit = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (64u << 20);
        const struct rlimit space = {limit, limit};
        if (setrlimit(RLIMIT_AS, &space) != 0) _exit(102);
    });
    EXPECT_EQ(r.status, 1);
    // One diagnostic line at some definition, then the empty line.
    EXPECT_EQ(r.out.rfind("big.rr(", 0), 0u) << r.out;
    EXPECT_NE(r.out.find(") : error: Out of memory ('#define B"), std::string::npos) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2) << r.out;
    EXPECT_EQ(r.out.substr(r.out.size() - 2), "\n\n");
    EXPECT_EQ(Listing(), (Names{"bad.rr", "big.rr", "good.rr"}));
}

// An error's operation and message are joined and cut to 255 characters when printed.
TEST(PrintDiagnostic, JoinedMessageIsCutAt255Characters) {
    Diagnostic error;
    error.severity = Severity::kError;
    error.file = "in.rr";
    error.line = 4;
    error.lineText = "x";
    error.column = 2;
    error.context = std::string(150, 'a');
    error.message = std::string(150, 'b');
    // 150 + ": " + 103 = 255 characters.
    EXPECT_EQ(FormatDiagnostic(error), "in.rr(4) : error: " + error.context + ": " +
                                           std::string(103, 'b') + " ('x' : 2)\n\n");
}

// Scripts far larger than one write: a count is patched in a resource that follows 100 KB of
// others, and in one resource of 300 KB (2700 properties). A write that fails part way through
// fails the run: nothing is left behind, neither the target nor the temporary file.
TEST_F(DriverRun, LargeScriptsHaveTheirCountsPatchedAndAFailedWriteLeavesNothing) {
    std::string source;
    for (const int count : {2, 2700}) {
        for (int i = 1; i <= 2500; ++i)
            source += "resource 'STR ' (" + std::to_string(i) + ") { \"Text\" };\n";
        source += "resource 'Vtag' (1) { {\n";
        for (int i = 1; i <= count; ++i)
            source += "Priority { " + std::to_string(i) + " }" + (i < count ? ",\n" : "\n");
        source += "} };\n";
    }
    Write("many.rr", source);
    EXPECT_EQ(Run({"many.rr", "out.rc"}).status, 0);
    const std::string written = Read("out.rc");
    EXPECT_GT(written.size(), 400000u);
    const std::string last = "\t\"ytrp\", /* 'prty' PIPriorityProperty */\n\t0L, /* Index */\n"
                             "\t    4L, /* Length */\n\t2700L, \n\nEND\n\n";
    EXPECT_EQ(written.substr(written.size() - last.size()), last);
    const std::string head = "1  Vtag  DISCARDABLE\nBEGIN\n\t1, /* First byte must always be 1 */\n"
                             "\t0L, /* kCurrentVtag Version */\n\t";
    const size_t first = written.find(head), second = written.find(head, first + 1);
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(written.compare(first + head.size(), 6, "    2L"), 0);
    EXPECT_EQ(written.compare(second + head.size(), 6, " 2700L"), 0);

    const RunResult r = RunChild({"many.rr", "out.rc"}, false, [] {
        signal(SIGXFSZ, SIG_IGN);  // an over-long write fails instead of ending the process
        const struct rlimit size = {100000, 100000};
        if (setrlimit(RLIMIT_FSIZE, &size) != 0) _exit(102);
    });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("many.rr(", 0), 0u) << r.out;
    EXPECT_NE(r.out.find(") : error: Unable to write output file \"out.rc\""), std::string::npos)
        << r.out;
    EXPECT_EQ(Listing(), (Names{"bad.rr", "good.rr", "many.rr"}));
}

}  // namespace
