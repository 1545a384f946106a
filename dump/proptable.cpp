// Property values as source: one printer per value shape, the text between a property's
// braces, and the shape table that pairs each shape's check with its printer.
#include "dump/decode.h"

#include "formats/kinds.h"

namespace {

bool Fail(std::string& why, const std::string& text) {
    why = text;
    return false;
}

std::string Signed(uint32_t value) {
    if (value == 0x80000000u) return Hex32(value);  // no literal for it in signed decimal
    return std::to_string(int32_t(value));
}

// Positional flag items, the first item the most significant of the list's bits: the name
// where a bit is set and the position has one, else 1 or 0.
std::string FlagItems(uint32_t bits, const NameList& list) {
    std::string text;
    for (int i = 0; i < list.count; ++i) {
        const bool set = (bits >> (list.count - 1 - i)) & 1;
        if (i) text += ", ";
        text += set ? (list.names[i][0] ? list.names[i] : "1") : "0";
    }
    return text;
}

// A number that a name stands for: the name at its position, else the number.
std::string NameOf(uint32_t value, const NameList& list) {
    if (value < uint32_t(list.count) && list.names[value][0]) return list.names[value];
    return std::to_string(value);
}

// The text of a C string value: up to its last non-zero byte (the checks fixed the fill).
std::string CStringText(const uint8_t* value, size_t length, bool utf8) {
    size_t n = length;
    while (n > 0 && value[n - 1] == 0) --n;
    return QuotedText(value, n, utf8);
}

// The text of a C string inside a value, up to its first zero.
std::string CStringAtText(const uint8_t* value, size_t length, size_t offset,
                          bool utf8) {
    size_t n = 0;
    while (offset + n < length && value[offset + n] != 0) ++n;
    return QuotedText(value + offset, n, utf8);
}

bool PrintHexNumber(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput&,
                    std::string& body, std::string&) {
    body = Hex32(ReadU32(v));
    return true;
}

bool PrintDecimal(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput&, std::string& body,
                  std::string&) {
    body = Signed(ReadU32(v));
    return true;
}

bool PrintHost(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput& out,
               std::string& body, std::string&) {
    const uint32_t code = ReadU32(v);
    body = IsCharConstant(code, out.utf8) ? CharConstant(code, out.utf8) : Hex32(code);
    return true;
}

bool PrintPair(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput&, std::string& body,
               std::string&) {
    body = Signed(ReadU32(v)) + ", " + Signed(ReadU32(v + 4));
    return true;
}

bool PrintPresence(const ShapeDetail&, const uint8_t*, size_t, DumpOutput&, std::string& body,
                   std::string&) {
    body.clear();
    return true;
}

bool PrintLengthPrefixed(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput& out,
                         std::string& body, std::string&) {
    body = QuotedText(v + 1, v[0], out.utf8);
    return true;
}

bool PrintCString(const ShapeDetail&, const uint8_t* v, size_t n, DumpOutput& out,
                  std::string& body, std::string&) {
    body = CStringText(v, n, out.utf8);
    return true;
}

bool PrintKind(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput& out, std::string& body,
               std::string& why) {
    const uint32_t code = ReadU32(v);
    if (const PluginKindFormat* kind = FindPluginKind(code)) {
        body = kind->keyword;
        return true;
    }
    if (!IsCharConstant(code, out.utf8))
        return Fail(why, "kind code '" + FourCharText(code) + "' fits no character constant");
    body = CharConstant(code, out.utf8);
    return true;
}

bool PrintComponent(const ShapeDetail&, const uint8_t* v, size_t n, DumpOutput& out,
                    std::string& body, std::string&) {
    body = Signed(ReadU32(v)) + ", " + CStringText(v + 4, n - 4, out.utf8);
    return true;
}

// Flag sets: the row's names, shifted into the low byte of a long.
bool PrintFlagSet(const ShapeDetail& detail, const uint8_t* v, size_t, DumpOutput&,
                  std::string& body, std::string&) {
    body = FlagItems(ReadU32(v) >> detail.shift, *detail.names);
    return true;
}

// The first group in the first byte, the second in the top bits of the second byte.
bool PrintModes(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput&, std::string& body,
                std::string&) {
    body = FlagItems(v[0], kModeGroup1Names) + ", " +
           FlagItems(v[1] >> (8 - kModeGroup2Names.count), kModeGroup2Names);
    return true;
}

bool PrintFilterCases(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput&,
                      std::string& body, std::string&) {
    body = "{";
    for (size_t i = 0; i < 28; i += 4) {
        body += std::string(i ? ",\n\t\t\t" : "\n\t\t\t") + NameOf(v[i], kInputCaseNames) +
                ", " + NameOf(v[i + 1], kOutputCaseNames) + ", " +
                FlagItems(v[i + 2], kCaseFlagNames);
    }
    body += "\n\t\t}";
    return true;
}

bool PrintTypeCreator(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput& out,
                      std::string& body, std::string&) {
    body = CodeOrEnum(ReadU32(v), out) + ", " + CodeOrEnum(ReadU32(v + 4), out);
    return true;
}

bool PrintTypeList(const ShapeDetail&, const uint8_t* v, size_t n, DumpOutput& out,
                   std::string& body, std::string&) {
    body = "{ ";
    for (size_t i = 0; i < n; i += 4) body += (i ? ", " : "") + CodeOrEnum(ReadU32(v + i), out);
    body += " }";
    return true;
}

// Extensions keep their characters in reading order.
bool PrintExtensions(const ShapeDetail&, const uint8_t* v, size_t n, DumpOutput& out,
                     std::string& body, std::string& why) {
    body = "{ ";
    for (size_t i = 0; i < n; i += 4) {
        const uint32_t code = uint32_t(v[i]) << 24 | uint32_t(v[i + 1]) << 16 |
                              uint32_t(v[i + 2]) << 8 | v[i + 3];
        if (!IsCharConstant(code, out.utf8))
            return Fail(why, "extension at byte " + std::to_string(i) +
                                 " fits no character constant");
        body += (i ? ", " : "") + CharConstant(code, out.utf8);
    }
    body += n ? " }" : "}";
    return true;
}

bool PrintMaxSize(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput&, std::string& body,
                  std::string&) {
    body = "{ " + std::to_string(int16_t(ReadU16(v))) + ", " +
           std::to_string(int16_t(ReadU16(v + 2))) + " }";
    return true;
}

bool PrintChannels(const ShapeDetail&, const uint8_t* v, size_t n, DumpOutput&,
                   std::string& body, std::string&) {
    body = "{ ";
    for (size_t i = 0; i < n; i += 2)
        body += (i ? ", " : "") + std::to_string(int16_t(ReadU16(v + i)));
    body += " }";
    return true;
}

bool PrintTerminology(const ShapeDetail&, const uint8_t* v, size_t n, DumpOutput& out,
                      std::string& body, std::string&) {
    body = CodeOrEnum(ReadU32(v + 4), out) + ", " + CodeOrEnum(ReadU32(v + 8), out) + ", " +
           std::to_string(int16_t(ReadU16(v + 12))) + ", " + CStringAtText(v, n, 14, out.utf8);
    return true;
}

// Entries of a counted list: (length, name, version) or names alone.
template <bool WithVersion>
bool PrintSuiteList(const ShapeDetail&, const uint8_t* v, size_t n, DumpOutput& out,
                    std::string& body, std::string&) {
    body = "{ ";
    size_t offset = 4;
    bool first = true;
    while (offset < n) {
        body += first ? "" : ", ";
        first = false;
        if (WithVersion) {
            const uint32_t length = ReadU32(v + offset);
            body += CStringAtText(v, n, offset + 4, out.utf8) + ", " +
                    Signed(ReadU32(v + offset + length - 4));
            offset += length;
        } else {
            size_t text = 0;
            while (offset + text < n && v[offset + text] != 0) ++text;
            body += QuotedText(v + offset, text, out.utf8);
            offset += ((text + 1) / 4 + 1) * 4;
        }
    }
    body += " }";
    return true;
}

bool PrintMessages(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput&,
                   std::string& body, std::string&) {
    body = FlagItems(ReadU32(v), kMessageFlagNames);
    return true;
}

bool PrintButtonIcon(const ShapeDetail&, const uint8_t* v, size_t n, DumpOutput& out,
                     std::string& body, std::string&) {
    body = NameOf(ReadU32(v + 4), kMacIconTypeNames) + ", " +
           NameOf(ReadU32(v + 8), kWinIconTypeNames) + ", " + Signed(ReadU32(v + 12)) + ", " +
           CStringText(v + 16, n - 16, out.utf8);
    return true;
}

bool PrintImportClass(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput&,
                      std::string& body, std::string&) {
    body = NameOf(ReadU32(v + 4), kImportClassNames);
    return true;
}

bool PrintPreview(const ShapeDetail&, const uint8_t* v, size_t n, DumpOutput& out,
                  std::string& body, std::string&) {
    body = CStringText(v + 4, n - 4, out.utf8);
    return true;
}

bool PrintWordPair(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput&, std::string& body,
                   std::string&) {
    body = std::to_string(ReadU16(v)) + ", " + std::to_string(ReadU16(v + 2));
    return true;
}

bool PrintGlobalOut(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput&,
                    std::string& body, std::string&) {
    body = FlagItems(ReadU32(v), kGlobalOutFlagNames);
    return true;
}

bool PrintFormatExtension(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput& out,
                          std::string& body, std::string&) {
    body = std::to_string(ReadU16(v)) + ", " + std::to_string(ReadU16(v + 2)) + ", " +
           FlagItems(ReadU32(v + 4), kFormatExtensionFlagNames) + ", " +
           CodeOrEnum(ReadU32(v + 12), out);
    return true;
}

bool PrintFilterInfo(const ShapeDetail&, const uint8_t* v, size_t n, DumpOutput& out,
                     std::string& body, std::string&) {
    body = Signed(ReadU32(v + 8)) + ", " + FlagItems(ReadU32(v + 12), kFilterInfoFlagNames) +
           ", " + Signed(ReadU32(v + 16)) + ", " + CStringAtText(v, n, 20, out.utf8);
    return true;
}

// The index of the record is printed first by the list printer.
bool PrintParamAtom(const ShapeDetail&, const uint8_t* v, size_t n, DumpOutput& out,
                    std::string& body, std::string&) {
    body = CStringAtText(v, n, 0, out.utf8) + ", " + Signed(ReadU32(v + 32)) + ", " +
           NameOf(ReadU32(v + 36), kAnimDataTypeNames) + ", " +
           NameOf(ReadU32(v + 40), kAnimUITypeNames);
    for (size_t high = 44; high < 76; high += 8)  // low long first in the source
        body += ", " + Hex32(ReadU32(v + high + 4)) + ", " + Hex32(ReadU32(v + high));
    body += ", " + FlagItems(ReadU32(v + 76), kParamAtomFlagNames) + ", " +
            Signed(ReadU32(v + 80));
    return true;
}

bool PrintRlEffectInfo(const ShapeDetail&, const uint8_t* v, size_t, DumpOutput&,
                       std::string& body, std::string&) {
    uint32_t transitions = 0;
    for (size_t i = 7; i < 12; ++i) transitions = transitions * 2 + v[i];
    body = std::to_string(v[4]) + ", " + std::to_string(v[5]) + ", " +
           FlagItems(v[6], kRlSetupFlagNames) + ", " +
           FlagItems(transitions, kRlTransitionFlagNames);
    return true;
}

// A check that needs nothing of the row beyond the value.
template <ValueCheck Check>
bool Plain(const ShapeDetail&, const uint8_t* value, size_t length, std::string& error) {
    return Check(value, length, error);
}

// One row per value shape, in the order of ValueShape. The version as a string of binary
// digits would also do; a number says the same.
constexpr ShapeFormat kShapes[] = {
    {ValueShape::kRetired, nullptr, nullptr, false},  // no record
    {ValueShape::kKind, Plain<CheckFourBytes>, PrintKind, false},
    {ValueShape::kComponent, Plain<CheckComponent>, PrintComponent, false},
    {ValueShape::kHost, Plain<CheckFourBytes>, PrintHost, false},
    {ValueShape::kNumber, Plain<CheckFourBytes>, PrintDecimal, false},
    {ValueShape::kHexNumber, Plain<CheckFourBytes>, PrintHexNumber, false},
    {ValueShape::kSizePair, Plain<CheckLongPair>, PrintPair, false},
    {ValueShape::kPresence, Plain<CheckPresenceFlag>, PrintPresence, false},
    {ValueShape::kLengthString, Plain<CheckLengthPrefixedString>, PrintLengthPrefixed, false},
    {ValueShape::kCString, Plain<CheckCString>, PrintCString, false},
    {ValueShape::kFlagSet, CheckFlagSet, PrintFlagSet, false},
    {ValueShape::kModes, Plain<CheckSupportedModes>, PrintModes, false},
    {ValueShape::kFilterCases, Plain<CheckFilterCaseInfo>, PrintFilterCases, false},
    {ValueShape::kTypeCreator, Plain<CheckTypeCreator>, PrintTypeCreator, false},
    {ValueShape::kTypeCreatorList, Plain<CheckTypeCreatorList>, PrintTypeList, false},
    {ValueShape::kTypeList, Plain<CheckTypeList>, PrintTypeList, false},
    {ValueShape::kExtensionList, Plain<CheckExtensionList>, PrintExtensions, false},
    {ValueShape::kMaxSize, Plain<CheckMaxSize>, PrintMaxSize, false},
    {ValueShape::kMaxChannels, Plain<CheckMaxChannels>, PrintChannels, false},
    {ValueShape::kTerminology, Plain<CheckTerminology>, PrintTerminology, false},
    {ValueShape::kSuiteList, Plain<CheckSuiteList>, PrintSuiteList<true>, false},
    {ValueShape::kKeywordList, Plain<CheckKeywordList>, PrintSuiteList<false>, false},
    {ValueShape::kMessages, Plain<CheckMessages>, PrintMessages, false},
    {ValueShape::kButtonIcon, Plain<CheckButtonIcon>, PrintButtonIcon, false},
    {ValueShape::kImportClass, Plain<CheckImportClass>, PrintImportClass, false},
    {ValueShape::kPreviewFile, Plain<CheckPreviewFile>, PrintPreview, false},
    {ValueShape::kWordPair, Plain<CheckFourBytes>, PrintWordPair, false},
    {ValueShape::kEffectVersion, Plain<CheckFourBytes>, PrintHexNumber, false},
    {ValueShape::kGlobalOutFlags, Plain<CheckGlobalOutFlags>, PrintGlobalOut, false},
    {ValueShape::kFormatExtension, Plain<CheckFormatExtension>, PrintFormatExtension, false},
    {ValueShape::kAnimFilterInfo, Plain<CheckAnimFilterInfo>, PrintFilterInfo, false},
    {ValueShape::kAnimParamAtom, Plain<CheckAnimParamAtom>, PrintParamAtom, true},
    {ValueShape::kRlEffectInfo, Plain<CheckRlEffectInfo>, PrintRlEffectInfo, false},
};

// The unit tests see that every shape a property uses has a check and a printer.
static_assert(IndexedInOrder(kShapes, &ShapeFormat::shape, size_t(ValueShape::kCount)),
              "one row per value shape, in the shapes' order");

}  // namespace

const ShapeFormat& FormatOfShape(ValueShape shape) {
    return kShapes[size_t(shape)];
}
