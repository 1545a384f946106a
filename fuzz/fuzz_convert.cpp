// libFuzzer entry point: one whole conversion per input, as the command line runs it.
//
// Each input is written to in.rr in a private directory (on a memory file system when there
// is one) and converted to out.rc there with -x, so the viewer converter runs too, and with
// -u when its size is odd, so that half of the inputs are read as UTF-8 text. The
// directory is the working directory during the conversion, so relative includes can find
// the input and the output. Afterwards the directory must hold exactly what a run may leave:
// the input, plus out.rc after a success; anything else aborts as a finding.
//
// The tool's console output is discarded by libFuzzer (-close_fd_mask=3, added unless given),
// standard input is /dev/null, and while a conversion runs every fopen is checked (the target
// is linked with --wrap=fopen): only regular files in the private directory open. An include
// of /dev/zero, /dev/stdin, a FIFO or a /proc file would otherwise never end, and the run
// would depend on the files of the machine.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "driver/run.h"

extern "C" FILE* __real_fopen(const char* path, const char* mode);

namespace {

std::string gDir;          // the private directory, resolved
std::string gSourcePath;   // gDir/in.rr, the input
int gHomeDir = -1;         // the working directory the fuzzer was started in
bool gGuarding = false;    // a conversion is running
FILE* gReport = stderr;    // the harness's own messages, on the standard error libFuzzer keeps

[[noreturn]] void Die(const char* what) {
    fprintf(gReport, "fuzz_convert: %s: %s\n", what, strerror(errno));
    abort();
}

void RemoveDirectory(const std::string& path) {
    if (DIR* dir = opendir(path.c_str())) {
        while (dirent* entry = readdir(dir)) {
            if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, ".."))
                unlink((path + "/" + entry->d_name).c_str());
        }
        closedir(dir);
    }
    rmdir(path.c_str());
}

void RemovePrivateDirectory() {
    if (!gDir.empty()) RemoveDirectory(gDir);
}

// The directories are named propwright-fuzz.<process id>.XXXXXX. A fuzzer that crashed or
// timed out ends without its exit handlers and leaves its directory behind; the next one
// removes the directories of processes that no longer exist.
void RemoveStaleDirectories(const std::string& base) {
    DIR* dir = opendir(base.c_str());
    if (!dir) return;
    std::vector<std::string> stale;
    while (dirent* entry = readdir(dir)) {
        long pid = 0;
        char rest = 0;
        if (sscanf(entry->d_name, "propwright-fuzz.%ld.%c", &pid, &rest) == 2 && pid > 0 &&
            kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            stale.push_back(base + "/" + entry->d_name);
    }
    closedir(dir);
    for (const std::string& path : stale) RemoveDirectory(path);
}

std::string MakePrivateDirectory() {
    std::string base = "/dev/shm";
    struct stat info;
    if (stat(base.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || access(base.c_str(), W_OK) != 0) {
        const char* tmp = getenv("TMPDIR");
        base = tmp && *tmp ? tmp : "/tmp";
    }
    RemoveStaleDirectories(base);
    std::string pattern = base + "/propwright-fuzz." + std::to_string(getpid()) + ".XXXXXX";
    if (!mkdtemp(&pattern[0])) Die("cannot create a private directory");
    char resolved[PATH_MAX];
    if (!realpath(pattern.c_str(), resolved)) Die("cannot resolve the private directory");
    return resolved;
}

// Where a file to be opened would be: its resolved path, or for a file that does not exist
// yet, its resolved directory and its name. Empty when neither resolves.
std::string ResolveForOpen(const char* path) {
    char resolved[PATH_MAX];
    if (realpath(path, resolved)) return resolved;
    std::string text = path;
    size_t slash = text.rfind('/');
    std::string dir = slash == std::string::npos ? "." : text.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? text : text.substr(slash + 1);
    if (name.empty() || name == "." || name == ".." || !realpath(dir.c_str(), resolved))
        return std::string();
    return std::string(resolved) + "/" + name;
}

bool MayOpen(const char* path) {
    std::string resolved = ResolveForOpen(path);
    if (resolved.size() <= gDir.size() + 1 || resolved.compare(0, gDir.size(), gDir) != 0 ||
        resolved[gDir.size()] != '/' || resolved.find('/', gDir.size() + 1) != std::string::npos)
        return false;
    struct stat info;
    return stat(resolved.c_str(), &info) != 0 || S_ISREG(info.st_mode);
}

}  // namespace

extern "C" FILE* __wrap_fopen(const char* path, const char* mode) {
    if (gGuarding && !MayOpen(path)) {
        errno = ENOENT;
        return nullptr;
    }
    return __real_fopen(path, mode);
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The flags are read after this returns: the tool's console output is discarded, and
    // artifacts go to the starting directory although a run works in the private one (a
    // relative -artifact_prefix given by hand would be taken from the private directory).
    static std::vector<std::string> added;
    static std::vector<char*> args;
    bool hasCloseMask = false, hasArtifactPrefix = false;
    for (int i = 0; i < *argc; ++i) {
        hasCloseMask = hasCloseMask || strncmp((*argv)[i], "-close_fd_mask=", 15) == 0;
        hasArtifactPrefix = hasArtifactPrefix || strncmp((*argv)[i], "-artifact_prefix=", 17) == 0;
    }
    const int reportFd = dup(STDERR_FILENO);
    if (FILE* report = reportFd >= 0 ? fdopen(reportFd, "w") : nullptr) {
        setvbuf(report, nullptr, _IONBF, 0);
        gReport = report;
    }
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) Die("cannot read the working directory");
    if (!hasCloseMask) added.push_back("-close_fd_mask=3");
    if (!hasArtifactPrefix) added.push_back(std::string("-artifact_prefix=") + cwd + "/");
    args.assign(*argv, *argv + *argc);
    for (std::string& flag : added) args.push_back(&flag[0]);
    args.push_back(nullptr);
    *argc = int(args.size()) - 1;
    *argv = args.data();

    int null = open("/dev/null", O_RDONLY);
    if (null < 0 || dup2(null, STDIN_FILENO) < 0) Die("cannot detach standard input");
    close(null);
    gHomeDir = open(".", O_RDONLY | O_DIRECTORY);
    if (gHomeDir < 0) Die("cannot open the working directory");
    gDir = MakePrivateDirectory();
    gSourcePath = gDir + "/in.rr";
    atexit(RemovePrivateDirectory);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* source = __real_fopen(gSourcePath.c_str(), "wb");
    if (!source || fwrite(data, 1, size, source) != size || fclose(source) != 0)
        Die("cannot write the input file");

    if (chdir(gDir.c_str()) != 0) Die("cannot enter the private directory");
    static const char* const kArgs[] = {"propwright", "in.rr", "out.rc", "-x", "-u"};
    gGuarding = true;
    const int status = RunPropwright(size % 2 ? 5 : 4, kArgs);
    gGuarding = false;
    if (fchdir(gHomeDir) != 0) Die("cannot return to the working directory");

    if (status != 0 && status != 1) {
        fprintf(gReport, "fuzz_convert: exit status %d\n", status);
        abort();
    }
    // A success leaves the output, a failure nothing; no temporary file stays in either case.
    bool outputSeen = false;
    DIR* dir = opendir(gDir.c_str());
    if (!dir) Die("cannot list the private directory");
    while (dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (!strcmp(name, ".") || !strcmp(name, "..") || !strcmp(name, "in.rr")) continue;
        if (!strcmp(name, "out.rc")) {
            outputSeen = true;
            continue;
        }
        fprintf(gReport, "fuzz_convert: the run left %s behind (status %d)\n", name, status);
        abort();
    }
    closedir(dir);
    if (outputSeen != (status == 0)) {
        fprintf(gReport, "fuzz_convert: status %d, but out.rc %s\n", status,
                outputSeen ? "exists" : "is missing");
        abort();
    }
    if (outputSeen) unlink((gDir + "/out.rc").c_str());
    return 0;
}
