// Per-key value checks of property records, and the value forms shared by many keys.
#include "dump/decode.h"

namespace {

// Keys whose value has a fixed form; a key without a row is accepted as it is.
const KeyCheckRow kKeyChecks[] = {
    {"hstm", CheckTerminology},
    {"impt", CheckSuiteList},
    {"expt", CheckSuiteList},
    {"keyw", CheckKeywordList},
    {"AcpM", CheckMessages},
    {"btni", CheckButtonIcon},
    {"clas", CheckImportClass},
    {"prvw", CheckPreviewFile},
    {"eSVR", CheckFourBytes},
    {"ePVR", CheckFourBytes},
    {"eVER", CheckFourBytes},
    {"eINF", CheckFourBytes},
    {"mvRD", CheckFourBytes},
    {"mvFL", CheckFourBytes},
    {"eGLO", CheckGlobalOutFlags},
    {"eMNA", CheckLengthPrefixedString},
    {"TEXT", CheckLengthPrefixedString},
    {"FXMF", CheckFormatExtension},
    {"aFLT", CheckAnimFilterInfo},
    {"aPAR", CheckAnimParamAtom},
    {"pOPT", CheckRlEffectInfo},
    {"name", CheckLengthPrefixedString},
    {"catg", CheckLengthPrefixedString},
    {"wx86", CheckCString},
    {"8664", CheckCString},
    {"wa64", CheckCString},
    {"flly", CheckHighFlag},
    {"expf", CheckHighFlag},
    {"fmsl", CheckHighFlag},
    {"fmtf", CheckFormatFlags},
    {"fmhi", CheckHiddenFlags},
    {"fmip", CheckICCFlags},
    {"fmir", CheckICCFlags},
    {"mode", CheckSupportedModes},
    {"fici", CheckFilterCaseInfo},
    {"fmTC", CheckTypeCreator},
    {"RdTy", CheckTypeCreatorList},
    {"WrTy", CheckTypeCreatorList},
    {"fftT", CheckTypeCreatorList},
    {"psTY", CheckTypeCreatorList},
    {"psTy", CheckTypeCreatorList},
    {"psCB", CheckTypeList},
    {"RdEx", CheckExtensionList},
    {"WrEx", CheckExtensionList},
    {"fftE", CheckExtensionList},
    {"psEX", CheckExtensionList},
    {"psEx", CheckExtensionList},
    {"mxsz", CheckMaxSize},
    {"mxch", CheckMaxChannels},
    {"znam", CheckLengthPrefixedString},
    {"zcat", CheckLengthPrefixedString},
    {"prog", CheckLengthPrefixedString},
    {"zpro", CheckLengthPrefixedString},
    {"feen", CheckLengthPrefixedString},
    {"pnme", CheckLengthPrefixedString},
    {"enbl", CheckCString},
    {"pinm", CheckCString},
    {"desc", CheckCString},
    {"titl", CheckCString},
    {"kind", CheckFourBytes},
    {"cmpt", CheckComponent},
    {"vers", CheckFourBytes},
    {"prty", CheckFourBytes},
    {"fslm", CheckFourBytes},
    {"ivrs", CheckFourBytes},
    {"adpt", CheckFourBytes},
    {"STSP", CheckFourBytes},
    {"host", CheckFourBytes},
    {"ms32", CheckLongPair},
    {"mn32", CheckLongPair},
    {"wnsc", CheckPresenceFlag},
    {"fbaw", CheckPresenceFlag},
    {"nabo", CheckPresenceFlag},
    {"lFGm", CheckPresenceFlag},
    {"posd", CheckPresenceFlag},
    {"pmsa", CheckPresenceFlag},
    {"ffps", CheckPresenceFlag},
    {"fllr", CheckPresenceFlag},
    {"ffbs", CheckPresenceFlag},
    {"ffpm", CheckPresenceFlag},
    {"ffpt", CheckPresenceFlag},
    {"xmpr", CheckPresenceFlag},
    {"xmpw", CheckPresenceFlag},
    {"qthm", CheckPresenceFlag},
    {"ffbo", CheckPresenceFlag},
    {"piLU", CheckPresenceFlag},
    {"piPF", CheckPresenceFlag},
    {"rscp", CheckPresenceFlag},
    {"fowa", CheckPresenceFlag},
    {"fwio", CheckPresenceFlag},
    {"frts", CheckPresenceFlag},
    {"fbgs", CheckPresenceFlag},
    {"fxio", CheckPresenceFlag},
    {"fpof", CheckPresenceFlag},
    {"prst", CheckPresenceFlag},
    {"adll", CheckPresenceFlag},
    {"reen", CheckPresenceFlag},
    {"slRO", CheckPresenceFlag},
    {"sRnd", CheckPresenceFlag},
    {"ediP", CheckPresenceFlag},
    {"piLe", CheckPresenceFlag},
};

// The smallest multiple of four above n + 1: the length of a zero-filled string of n bytes.
size_t FilledLength(size_t n) {
    return ((n + 1) / 4 + 1) * 4;
}

}  // namespace

const KeyCheckRow* FindKeyCheck(uint32_t key) {
    const std::string text = FourCharText(key);
    for (const KeyCheckRow& row : kKeyChecks) {
        if (text == row.key) return &row;
    }
    return nullptr;
}

// Length byte n, n bytes, then zero bytes up to the smallest multiple of four above n + 1.
bool CheckLengthPrefixedString(const uint8_t* value, size_t length, std::string& error) {
    if (length == 0) {
        error = "empty value, a length-prefixed string needs at least its length byte";
        return false;
    }
    const size_t n = value[0];
    if (length != FilledLength(n)) {
        error = "length byte " + std::to_string(n) + " needs a value of " +
                std::to_string(FilledLength(n)) + " bytes, record length is " +
                std::to_string(length);
        return false;
    }
    for (size_t i = 1 + n; i < length; ++i) {
        if (value[i] != 0) {
            error = "fill byte " + std::to_string(i) + " after the " + std::to_string(n) +
                    "-byte text is not zero";
            return false;
        }
    }
    return true;
}

// The text, then one to four fill zeros and the terminating zero; length a multiple of four.
// The text is taken to end at its last non-zero byte.
bool CheckCString(const uint8_t* value, size_t length, std::string& error) {
    size_t n = length;
    while (n > 0 && value[n - 1] == 0) --n;
    const size_t zeros = length - n;
    if (length != FilledLength(n)) {
        error = "C string of " + std::to_string(n) + " bytes with " + std::to_string(zeros) +
                " zero bytes in a value of " + std::to_string(length) + " bytes; expected " +
                std::to_string(FilledLength(n) - n) + " zero bytes, value " +
                std::to_string(FilledLength(n)) + " bytes";
        return false;
    }
    return true;
}
