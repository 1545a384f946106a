// Console keys for the help menu: one key at a time, echoed, without waiting for Enter.
#include "core/platform.h"

#include <cstdio>

#ifdef _WIN32
#include <conio.h>
#include <io.h>

int ReadKeyEcho() {
    std::fflush(stdout);
    if (_isatty(_fileno(stdin))) return _getche();
    int key = std::getchar();
    if (key == EOF) return -1;
    std::putchar(key);
    std::fflush(stdout);
    return key;
}

void RestoreConsole() {}

#else
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <termios.h>
#include <unistd.h>

namespace {

// Terminal mode while keys are read: no line editing and no echo by the terminal; signals
// (Ctrl-C) and output processing stay as they were.
volatile sig_atomic_t gRawActive = 0;
struct termios gSavedMode;

const int kRestoreSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
const int kSignalCount = sizeof(kRestoreSignals) / sizeof(kRestoreSignals[0]);
struct sigaction gSavedActions[kSignalCount];

void PutBackSignalActions() {
    for (int i = 0; i < kSignalCount; ++i) sigaction(kRestoreSignals[i], &gSavedActions[i], nullptr);
}

// A signal that ends the process first gives the terminal its mode back, then is raised
// again with the disposition it had before.
void RestoreOnSignal(int signal) {
    if (gRawActive) {
        tcsetattr(STDIN_FILENO, TCSANOW, &gSavedMode);
        gRawActive = 0;
    }
    PutBackSignalActions();
    raise(signal);
}

void EnterRawMode() {
    static bool atExitRegistered = false;
    if (gRawActive || !isatty(STDIN_FILENO)) return;
    if (tcgetattr(STDIN_FILENO, &gSavedMode) != 0) return;
    if (!atExitRegistered) {
        std::atexit(RestoreConsole);
        atExitRegistered = true;
    }
    struct sigaction action {};
    action.sa_handler = RestoreOnSignal;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kSignalCount; ++i) sigaction(kRestoreSignals[i], &action, &gSavedActions[i]);

    struct termios raw = gSavedMode;
    raw.c_lflag &= ~tcflag_t(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    gRawActive = 1;
    if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) != 0) {
        gRawActive = 0;
        PutBackSignalActions();
    }
}

}  // namespace

int ReadKeyEcho() {
    std::fflush(stdout);
    EnterRawMode();
    unsigned char byte = 0;
    ssize_t count;
    do {
        count = read(STDIN_FILENO, &byte, 1);
    } while (count < 0 && errno == EINTR);
    if (count <= 0) return -1;
    std::fputc(byte, stdout);
    std::fflush(stdout);
    return byte;
}

void RestoreConsole() {
    if (!gRawActive) return;
    tcsetattr(STDIN_FILENO, TCSANOW, &gSavedMode);
    gRawActive = 0;
    PutBackSignalActions();
}

#endif
