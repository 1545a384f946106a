// Platform layer: path splitting, file identity, the kinds of output target, temporary files
// guarded against ending signals, and replacing a file.
#include "core/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <iconv.h>
#include <unistd.h>
#endif

static bool IsSeparator(char c) {
#ifdef _WIN32
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

SplitPath SplitPathParts(const std::string& path) {
    SplitPath parts;
    size_t start = 0;
#ifdef _WIN32
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = path.substr(0, 2);
        start = 2;
    }
#endif
    size_t nameStart = start;
    for (size_t i = start; i < path.size(); ++i)
        if (IsSeparator(path[i])) nameStart = i + 1;
    parts.dir = path.substr(start, nameStart - start);
    std::string name = path.substr(nameStart);
    size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        parts.base = name;
    } else {
        parts.base = name.substr(0, dot);
        parts.ext = name.substr(dot);
    }
    return parts;
}

std::string JoinPathParts(const SplitPath& parts) {
    return parts.drive + parts.dir + parts.base + parts.ext;
}

bool FileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

FILE* OpenForReading(const std::string& path, const char* mode) {
    FILE* stream = fopen(path.c_str(), mode);
    if (!stream) return nullptr;
    const int c = getc(stream);
    if (c == EOF && ferror(stream)) {
        fclose(stream);
        return nullptr;
    }
    if (c == EOF)
        clearerr(stream);
    else
        ungetc(c, stream);
    return stream;
}

bool SameFile(const std::string& a, const std::string& b) {
#ifdef _WIN32
    auto identify = [](const std::string& p, BY_HANDLE_FILE_INFORMATION* info) {
        HANDLE h = CreateFileA(p.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        bool ok = GetFileInformationByHandle(h, info) != 0;
        CloseHandle(h);
        return ok;
    };
    BY_HANDLE_FILE_INFORMATION ia, ib;
    if (!identify(a, &ia) || !identify(b, &ib)) return false;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
#else
    struct stat sa, sb;
    if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
#endif
}

std::string DirectoryOf(const std::string& path) {
    SplitPath parts = SplitPathParts(path);
    return parts.drive + parts.dir;
}

// The temporary file's name: the target's own name, cut so that the suffix still fits in a
// file name, and a suffix that says whose it is.
static std::string TempPrefix(const std::string& file) {
    SplitPath parts = SplitPathParts(file);
    std::string name = parts.base + parts.ext;
    if (name.size() > 200) name.resize(200);
    return parts.drive + parts.dir + name + ".propwright-";
}

#ifdef _WIN32

namespace {

// The temporary file that a console event ending the process removes (empty: none).
char gGuardedPath[4 * MAX_PATH];

BOOL WINAPI RemoveGuardedOnEnd(DWORD) {
    if (gGuardedPath[0]) DeleteFileA(gGuardedPath);
    return FALSE;  // the default handling then ends the process
}

void DropGuard() {
    SetConsoleCtrlHandler(RemoveGuardedOnEnd, FALSE);
    gGuardedPath[0] = '\0';
}

bool NamesEqualNoCase(const std::string& a, const char* b) {
    return _stricmp(a.c_str(), b) == 0;
}

// Console and other DOS device names (CON, NUL, COM1, "nul.rc" ...) and \\.\ device paths.
bool IsDevicePath(const std::string& path) {
    if (path.size() > 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] == '.' &&
        IsSeparator(path[3]))
        return true;
    SplitPath parts = SplitPathParts(path);
    std::string name = (parts.base + parts.ext).substr(0, (parts.base + parts.ext).find('.'));
    static const char* const kDevices[] = {"CON", "NUL", "PRN", "AUX", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices)
        if (NamesEqualNoCase(name, device)) return true;
    if (name.size() == 4 && name[3] >= '1' && name[3] <= '9') {
        std::string stem = name.substr(0, 3);
        if (NamesEqualNoCase(stem, "COM") || NamesEqualNoCase(stem, "LPT")) return true;
    }
    return false;
}

// The file a reparse point finally leads to; empty when it leads nowhere.
std::string FinalPathOf(const std::string& path, DWORD* type) {
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::string();
    *type = GetFileType(h);
    char buffer[4 * MAX_PATH];
    DWORD length = GetFinalPathNameByHandleA(h, buffer, DWORD(sizeof buffer), FILE_NAME_NORMALIZED);
    CloseHandle(h);
    if (length == 0 || length >= sizeof buffer) return std::string();
    std::string finalPath(buffer, length);
    // "\\?\C:\dir\file" becomes "C:\dir\file"; "\\?\UNC\server\share" becomes "\\server\share".
    if (finalPath.compare(0, 8, "\\\\?\\UNC\\") == 0) return "\\\\" + finalPath.substr(8);
    if (finalPath.compare(0, 4, "\\\\?\\") == 0) return finalPath.substr(4);
    return finalPath;
}

}  // namespace

OutputTarget ExamineTarget(const std::string& path) {
    if (IsDevicePath(path)) return {TargetKind::Device, path};
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return {TargetKind::Missing, path};
        return {TargetKind::Unusable, std::string()};
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return {TargetKind::Unusable, std::string()};
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // A link is followed to the file it names; one that leads nowhere is refused rather
        // than replaced by a regular file.
        DWORD type = FILE_TYPE_UNKNOWN;
        const std::string finalPath = FinalPathOf(path, &type);
        if (finalPath.empty()) return {TargetKind::Unusable, std::string()};
        if (type != FILE_TYPE_DISK) return {TargetKind::Device, path};
        return {TargetKind::Regular, finalPath};
    }
    return {TargetKind::Regular, path};
}

FILE* MakeTempBeside(const std::string& file, std::string* tempPath) {
    const std::string prefix = TempPrefix(file);
    if (prefix.size() + 16 > sizeof gGuardedPath) return nullptr;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[32];
        snprintf(suffix, sizeof suffix, "%04lx%02d",
                 (unsigned long)(GetCurrentProcessId() & 0xFFFF), attempt);
        const std::string temp = prefix + suffix;
        // Shared for deletion, so that a console event can remove it while it is open.
        HANDLE h = CreateFileA(temp.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                               nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (GetLastError() != ERROR_FILE_EXISTS) return nullptr;
            continue;
        }
        memcpy(gGuardedPath, temp.c_str(), temp.size() + 1);
        SetConsoleCtrlHandler(RemoveGuardedOnEnd, TRUE);
        const int fd = _open_osfhandle((intptr_t)h, _O_WRONLY | _O_TEXT);
        FILE* stream = fd >= 0 ? _fdopen(fd, "w") : nullptr;
        if (!stream) {
            if (fd >= 0)
                _close(fd);
            else
                CloseHandle(h);
            RemoveTempFile(temp);
            return nullptr;
        }
        *tempPath = temp;
        return stream;
    }
    return nullptr;
}

bool ReplaceTarget(const std::string& tempPath, const std::string& file) {
    const bool moved = MoveFileExA(tempPath.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    if (moved) DropGuard();
    return moved;
}

void RemoveTempFile(const std::string& tempPath) {
    DeleteFileA(tempPath.c_str());
    DropGuard();
}

FILE* OpenDevice(const std::string& path) {
    return fopen(path.c_str(), "w");
}

FILE* OpenScratchStream() {
    char directory[MAX_PATH + 1];
    const DWORD length = GetTempPathA(DWORD(sizeof directory), directory);
    if (length == 0 || length > MAX_PATH) return nullptr;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[MAX_PATH + 64];
        snprintf(name, sizeof name, "%spropwright-%lu-%d.tmp", directory,
                 (unsigned long)GetCurrentProcessId(), attempt);
        HANDLE h = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (GetLastError() != ERROR_FILE_EXISTS) return nullptr;
            continue;
        }
        // Binary, as tmpfile gives: the line ends are made when the script reaches the device,
        // and reading back cannot stop early at a Ctrl-Z byte.
        const int fd = _open_osfhandle((intptr_t)h, _O_RDWR | _O_BINARY);
        if (fd < 0) {
            CloseHandle(h);
            return nullptr;
        }
        FILE* stream = _fdopen(fd, "w+b");
        if (!stream) _close(fd);
        return stream;
    }
    return nullptr;
}

#else

namespace {

// The signals that end a run from outside while a temporary file exists. The handler removes
// the file named in gGuardedPath (prepared before the handler is installed), puts the default
// action back and raises the signal again, so the process ends with the signal's own status.
const int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr int kEndingSignalCount = sizeof(kEndingSignals) / sizeof(kEndingSignals[0]);
char gGuardedPath[4200];
struct sigaction gPreviousActions[kEndingSignalCount];
bool gGuarded[kEndingSignalCount];

void RemoveGuardedAndEnd(int signal) {
    unlink(gGuardedPath);
    struct sigaction fallback;
    memset(&fallback, 0, sizeof fallback);
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(signal, &fallback, nullptr);
    // Blocked while this handler runs, the signal takes effect as soon as it returns.
    raise(signal);
}

void BlockEndingSignals(sigset_t* previous) {
    sigset_t ending;
    sigemptyset(&ending);
    for (int signal : kEndingSignals) sigaddset(&ending, signal);
    sigprocmask(SIG_BLOCK, &ending, previous);
}

void RestoreSignalMask(const sigset_t* previous) {
    sigprocmask(SIG_SETMASK, previous, nullptr);
}

// Called with the ending signals blocked. A signal the process ignores (nohup) is left alone.
void GuardTempFile(const std::string& temp) {
    memcpy(gGuardedPath, temp.c_str(), temp.size() + 1);
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = RemoveGuardedAndEnd;
    sigemptyset(&action.sa_mask);
    for (int signal : kEndingSignals) sigaddset(&action.sa_mask, signal);
    for (int i = 0; i < kEndingSignalCount; ++i) {
        sigaction(kEndingSignals[i], nullptr, &gPreviousActions[i]);
        const bool ignored = !(gPreviousActions[i].sa_flags & SA_SIGINFO) &&
                             gPreviousActions[i].sa_handler == SIG_IGN;
        gGuarded[i] = !ignored && sigaction(kEndingSignals[i], &action, nullptr) == 0;
    }
}

// Called with the ending signals blocked: the previous actions come back.
void DropGuard() {
    for (int i = 0; i < kEndingSignalCount; ++i) {
        if (gGuarded[i]) sigaction(kEndingSignals[i], &gPreviousActions[i], nullptr);
        gGuarded[i] = false;
    }
    gGuardedPath[0] = '\0';
}

// "/dev/fd/N", "/proc/self/fd/N" or "/proc/<this process>/fd/N": the process's own descriptor
// N, which is written through as it is (at its offset, appending if it appends), never
// reopened or replaced.
bool IsOwnDescriptor(const std::string& name, int* descriptor) {
    const std::string own = "/proc/" + std::to_string((long)getpid()) + "/fd/";
    const std::string prefixes[] = {"/dev/fd/", "/proc/self/fd/", own};
    for (const std::string& prefix : prefixes) {
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string digits = name.substr(prefix.size());
        if (digits.empty() || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        *descriptor = atoi(digits.c_str());
        return fcntl(*descriptor, F_GETFD) != -1;
    }
    return false;
}

// Follows a chain of symbolic links from path to the name it finally gives, which need not
// exist. Stops early at one of the process's own descriptors (descriptor set, else -1).
std::string FollowLinks(const std::string& path, int* descriptor) {
    *descriptor = -1;
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        if (IsOwnDescriptor(current, descriptor)) return current;
        struct stat info;
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        char link[4096];
        const ssize_t length = readlink(current.c_str(), link, sizeof link);
        if (length <= 0 || size_t(length) >= sizeof link) return current;
        const std::string next(link, size_t(length));
        current = next[0] == '/' ? next : DirectoryOf(current) + next;
    }
    return current;
}

}  // namespace

OutputTarget ExamineTarget(const std::string& path) {
    int descriptor;
    const std::string finalPath = FollowLinks(path, &descriptor);
    if (descriptor >= 0) return {TargetKind::Device, path};
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        // Nothing there, or a link that leads nowhere: the file it names is created.
        if (errno == ENOENT) return {TargetKind::Missing, finalPath};
        return {TargetKind::Unusable, std::string()};
    }
    if (S_ISREG(info.st_mode)) return {TargetKind::Regular, finalPath};
    if (S_ISDIR(info.st_mode)) return {TargetKind::Unusable, std::string()};
    return {TargetKind::Device, path};
}

FILE* MakeTempBeside(const std::string& file, std::string* tempPath) {
    std::string temp = TempPrefix(file) + "XXXXXX";
    if (temp.size() >= sizeof gGuardedPath) return nullptr;
    struct stat replaced;
    const bool replacing = stat(file.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode);

    // No signal between creating the file and guarding it.
    sigset_t previous;
    BlockEndingSignals(&previous);
    const int fd = mkstemp(&temp[0]);
    if (fd >= 0) GuardTempFile(temp);
    RestoreSignalMask(&previous);
    if (fd < 0) return nullptr;

    // mkstemp makes the file private: give it the replaced file's owner, group and mode (the
    // group alone when the owner cannot be given), or the mode a plain create would have.
    bool modeSet;
    if (replacing) {
        if (fchown(fd, replaced.st_uid, replaced.st_gid) != 0 &&
            fchown(fd, (uid_t)-1, replaced.st_gid) != 0) {
            // Not allowed: the file keeps the process's own owner and group.
        }
        modeSet = fchmod(fd, replaced.st_mode & 07777) == 0;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        modeSet = fchmod(fd, 0666 & ~mask) == 0;
    }
    FILE* stream = modeSet ? fdopen(fd, "w") : nullptr;
    if (!stream) {
        close(fd);
        RemoveTempFile(temp);
        return nullptr;
    }
    *tempPath = temp;
    return stream;
}

bool ReplaceTarget(const std::string& tempPath, const std::string& file) {
    sigset_t previous;
    BlockEndingSignals(&previous);
    const bool moved = rename(tempPath.c_str(), file.c_str()) == 0;
    if (moved) DropGuard();
    RestoreSignalMask(&previous);
    return moved;
}

void RemoveTempFile(const std::string& tempPath) {
    sigset_t previous;
    BlockEndingSignals(&previous);
    unlink(tempPath.c_str());
    DropGuard();
    RestoreSignalMask(&previous);
}

FILE* OpenDevice(const std::string& path) {
    int descriptor;
    FollowLinks(path, &descriptor);
    // Never created: what is opened here already exists.
    const int fd = descriptor >= 0 ? dup(descriptor) : open(path.c_str(), O_WRONLY | O_NOCTTY);
    if (fd < 0) return nullptr;
    FILE* stream = fdopen(fd, "w");
    if (!stream) close(fd);
    return stream;
}

FILE* OpenScratchStream() {
    return tmpfile();
}

#endif

#ifdef _WIN32

CodePageWriter::~CodePageWriter() {
    (void)converter_;  // the system converts without an object to open
    (void)opened_;
}

int CodePageWriter::Write(uint32_t character, char bytes[4]) {
    const int codePage = codePage_;
    wchar_t wide[2];
    int units = 1;
    if (character >= 0x10000) {
        wide[0] = wchar_t(0xD800 + ((character - 0x10000) >> 10));
        wide[1] = wchar_t(0xDC00 + ((character - 0x10000) & 0x3FF));
        units = 2;
    } else {
        wide[0] = wchar_t(character);
    }
    BOOL usedDefault = FALSE;
    const int count = WideCharToMultiByte(UINT(codePage), WC_NO_BEST_FIT_CHARS, wide, units,
                                          bytes, 4, nullptr, &usedDefault);
    if (count == 0 && GetLastError() == ERROR_INVALID_PARAMETER) return -1;
    return usedDefault ? 0 : count;
}

#else

namespace {

// glibc's names of the Windows code pages; its CP1252 lacks the five bytes that Windows maps
// straight to the C1 controls U+0081, U+008D, U+008F, U+0090 and U+009D.
struct CodePageRow {
    int codePage;
    const char* name;
};
const CodePageRow kCodePages[] = {{1252, "CP1252"}, {932, "CP932"}, {936, "CP936"}, {949, "CP949"}};

bool IsWindowsC1Byte(uint32_t character) {
    return character == 0x81 || character == 0x8D || character == 0x8F || character == 0x90 ||
           character == 0x9D;
}

iconv_t OpenConverter(int codePage) {
    for (const CodePageRow& row : kCodePages)
        if (row.codePage == codePage) return iconv_open(row.name, "UTF-8");
    return iconv_t(-1);
}

// The UTF-8 bytes of a character, for a converter that reads UTF-8.
size_t Utf8Bytes(uint32_t character, char* out) {
    if (character < 0x80) {
        out[0] = char(character);
        return 1;
    }
    size_t count = character < 0x800 ? 2 : character < 0x10000 ? 3 : 4;
    static const uint8_t kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
    for (size_t i = count - 1; i > 0; --i, character >>= 6) out[i] = char(0x80 | (character & 0x3F));
    out[0] = char(kLead[count] | character);
    return count;
}

}  // namespace

CodePageWriter::~CodePageWriter() {
    if (opened_ && iconv_t(converter_) != iconv_t(-1)) iconv_close(iconv_t(converter_));
}

int CodePageWriter::Write(uint32_t character, char bytes[4]) {
    if (codePage_ == 1252 && IsWindowsC1Byte(character)) {
        bytes[0] = char(character);
        return 1;
    }
    if (!opened_) {
        converter_ = (void*)OpenConverter(codePage_);
        opened_ = true;
    }
    iconv_t converter = iconv_t(converter_);
    if (converter == iconv_t(-1)) return -1;
    char utf8[4];
    char* in = utf8;
    size_t inLeft = Utf8Bytes(character, utf8);
    char* out = bytes;
    size_t outLeft = 4;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);  // from the initial shift state
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == size_t(-1)) return 0;
    return int(4 - outLeft);
}

#endif
