// Platform layer: path splitting, file identity, temporary files and replacing a file.
#include "driver/platform.h"

#include <cstdio>
#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
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

std::string MakeTempBeside(const std::string& target) {
    // The target's own name and a unique suffix, in its directory; a long name is cut so that
    // the suffix still fits in a file name.
    SplitPath parts = SplitPathParts(target);
    std::string name = parts.base + parts.ext;
    if (name.size() > 200) name.resize(200);
    const std::string prefix = parts.drive + parts.dir + name;
#ifdef _WIN32
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[32];
        snprintf(suffix, sizeof suffix, ".tmp%lu_%d", (unsigned long)GetCurrentProcessId(), attempt);
        std::string temp = prefix + suffix;
        HANDLE h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return temp;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) break;
    }
    return std::string();
#else
    std::string temp = prefix + ".XXXXXX";
    int fd = mkstemp(&temp[0]);
    if (fd < 0) return std::string();
    // mkstemp creates the file private; give it the mode a plain create would have.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    return temp;
#endif
}

bool ReplaceTarget(const std::string& from, const std::string& to) {
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return rename(from.c_str(), to.c_str()) == 0;
#endif
}
