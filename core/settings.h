// Run settings: taken from the command line, read during the conversion.
#pragma once

struct Settings {
    bool verboseIds = false;   // -v: every resource identifier echoed on stderr
    int languageOption = 0;    // 0 none, 1 -j, 2 -c, 3 -k
    bool buildQkPn = false;    // -x
    // The source's text is UTF-8: -u, or a main source that starts with the byte order mark.
    bool sourceUtf8 = false;
};
