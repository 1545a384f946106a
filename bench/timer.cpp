// Runs one command and prints its wall time, processor time and peak memory, for the bench.
// Usage: timer OUT ERR COMMAND [ARGUMENT ...]
// The command's standard output goes to OUT and its standard error to ERR. The command is
// started with posix_spawn, so the time of copying a shell for it is not counted; the clock
// runs from the start of the spawn to the end of the wait. Prints "WALL CPU PEAK" (seconds,
// seconds, kilobytes) and exits with 0 when the command exited with 0, else with 1.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

#include <cstdio>

extern char** environ;

static double Seconds(const timespec& t) {
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: timer OUT ERR COMMAND [ARGUMENT ...]\n");
        return 2;
    }
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&files, 2, argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    timespec start, end;
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid;
    if (posix_spawnp(&pid, argv[3], &files, nullptr, argv + 3, environ) != 0) {
        std::fprintf(stderr, "timer: cannot start %s\n", argv[3]);
        return 1;
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return 1;
    clock_gettime(CLOCK_MONOTONIC, &end);
    const double cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf("%.6f %.6f %ld\n", Seconds(end) - Seconds(start), cpu, usage.ru_maxrss);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
