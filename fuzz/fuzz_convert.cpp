// libFuzzer entry point: one whole conversion per input, in memory.
//
// Each input is converted as in.rr with -x, so the viewer converter runs too, and with -u when
// its size is odd, so that half of the inputs are read as UTF-8 text. Includes come from
// memory: in.rr is the input itself, every other name is a missing file, so no run reads the
// machine's files and none can wait on a device. Besides the sanitizers' findings, a result
// that breaks the conversion's contract aborts: a success has the script's opening lines and
// no error, a failure has no script and ends with its one error (and a note after it).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "convert/convert.h"
#include "lexer/resolver.h"

namespace {

const char kOpening[] = "#define RSCL32(a,b,c,d)";

[[noreturn]] void Broken(const char* what) {
    fprintf(stderr, "fuzz_convert: %s\n", what);
    abort();
}

void CheckResult(const ConvertResult& result) {
    size_t errors = 0;
    for (const Diagnostic& d : result.diagnostics) errors += d.severity == Severity::kError;
    if (result.status == 0) {
        if (errors != 0) Broken("a successful conversion reported an error");
        if (result.script.compare(0, sizeof kOpening - 1, kOpening) != 0)
            Broken("a successful conversion's script lacks its opening lines");
        return;
    }
    if (!result.script.empty()) Broken("a failed conversion left a script");
    if (errors != 1) Broken("a failed conversion did not report exactly one error");
    const size_t n = result.diagnostics.size();
    const bool endsWithError = result.diagnostics[n - 1].severity == Severity::kError ||
                               (n >= 2 && result.diagnostics[n - 1].severity == Severity::kNote &&
                                result.diagnostics[n - 2].severity == Severity::kError);
    if (!endsWithError) Broken("a failed conversion went on after its error");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Settings settings;
    settings.buildQkPn = true;
    settings.sourceUtf8 = size % 2 == 1;
    TextResolver includes;
    includes.files["in.rr"] = text;
    CheckResult(Convert(text, "in.rr", settings, includes));
    return 0;
}
