// Scripting terminology resource ('aete', 'AETE'): suites of events, classes and enumerations.
//
// aete:        resource 'aete' ( id ... ) { major , minor , language , script , suite+ } ;
// suite:       { name , description , id , level , version , event-list , class-list ,
//                comparison-list , enumeration-list }
// event:       name , description , class , id , reply-type , reply-text , flags
//              direct-type , direct-text , flags parameter-list
// parameter:   name , keyword , type , description , flags
// class:       name , id , description , property-list , element-list
// property:    name , id , class , description , flags
// element:     class , { key-form* }        comparison-list: { }
// enumeration: id , { enumerator+ }         enumerator: name , id , description
// flags:       16 flag items, each ending in , or } (the last one's belongs to the flags)
#include <cstdint>
#include <string>

#include "core/diagnostics.h"
#include "emit/items.h"
#include "emit/output.h"
#include "emit/text.h"
#include "formats/names.h"
#include "lexer/charsource.h"
#include "lexer/fatal.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "resources/converters.h"

namespace {

const char kContext[] = "ConvertAETE";

[[noreturn]] void Fail(const char* message) {
    FatalErrorIn(kContext, message);
}

// Strings are written length-prefixed, without terminator or fill.
void WriteString(const std::string& text) {
    FilledString item;
    item.text = text;
    item.n = EncodedLength(text);
    item.length = item.n + 1;
    WriteLengthPrefixedString(item, "");
}

// Reads a string value; missing is the message when there is none.
void ReadString(const char* missing) {
    std::string text;
    if (!GetStringValue(text)) Fail(missing);
    WriteString(text);
}

// A value cut to a signed 16-bit word.
int Word16(int32_t value) {
    return int16_t(uint16_t(uint32_t(value)));
}

void ReadWord(const char* comment) {
    WriteDecimalWord(Word16(GetExpression()), comment);
}

enum CodeForm { kCharConstOnly, kCharConstOrEnumName };

// Writes the current token as a code: a character constant reversed, or (where allowed) the
// name of an enum constant as a hex long of its value. A number written in digits is no code.
bool WriteCodeToken(CodeForm form, const char* comment) {
    if (TokenIsCharConstant()) {
        WriteCodeItem(CodeFromShortText(Token().shortText), comment);
        return true;
    }
    if (form == kCharConstOrEnumName && Token().kind == kTokNumber && Token().fromWord) {
        if (const EnumConstant* constant = FindEnumConstant(Token().identText)) {
            WriteHexLong(uint32_t(constant->value), comment);
            return true;
        }
    }
    return false;
}

void ReadCode(CodeForm form, const char* message, const char* comment) {
    GetToken();
    if (!WriteCodeToken(form, comment)) Fail(message);
}

// The four flag words share one reader; each has its own name per position (bit 15 first).
struct FlagReaderRow {
    const char* context;
    const NameList& names;
};

enum FlagReader { kEventFlags, kDirectParamFlags, kParamFlags, kClassFlags };

const FlagReaderRow kFlagReaders[] = {
    {"ProcessAETEFlags", kAeteEventFlagNames},
    {"ProcessAETEDirectParameterFlags", kAeteDirectParameterFlagNames},
    {"ProcessAETEParameterFlags", kAeteParameterFlagNames},
    {"ProcessAETEClassFlags", kAeteClassFlagNames},
};

// Reads sixteen flag items and writes the word. The comma or close brace after the last item
// belongs to the flags: it is consumed and left as the current token.
void ReadFlagWord(FlagReader reader, const char* comment) {
    const FlagReaderRow& row = kFlagReaders[reader];
    const uint32_t bits = ParseFlags(row.context, row.names);
    GetToken();
    WriteHexWord(bits, comment);
}

// A counted list: its counter is written at the open brace and patched when the list ends.
struct CountedList {
    const char* field;
    long place;
    unsigned long count;
};

// Writes a counter of 0 commented with its field name; returns the place of its digits.
long WriteCounter(const char* field) {
    char comment[64];
    const size_t length = JoinBounded(comment, sizeof comment - 1, "/* ", field, " */");
    return WriteCountField(ItemComment(comment, length));
}

CountedList OpenList(const char* field) {
    ExpectOpenBrace(kContext);
    return CountedList{field, WriteCounter(field), 0};
}

void CloseList(const CountedList& list) {
    PatchField(list.place, list.count, list.field);
}

// A list whose members each end in a close brace or a string; member gets its index and
// starts with the member's first token current.
void ParseList(const char* field, void (*member)(unsigned long index)) {
    CountedList list = OpenList(field);
    GetToken();
    while (Token().kind != kTokCloseBrace) {
        member(list.count);
        ++list.count;
        GetTokenAfterMember();
    }
    CloseList(list);
}

void ParseParameterList() {
    CountedList list = OpenList("Parameter Count");
    GetToken();
    while (Token().kind != kTokCloseBrace) {
        ReadString("String expected 7");
        ExpectComma(kContext);
        ReadCode(kCharConstOrEnumName, "Type expected 6", "");
        ExpectComma(kContext);
        ReadCode(kCharConstOrEnumName, "Type expected 7", "");
        ExpectComma(kContext);
        ReadString("String expected 8");
        ExpectComma(kContext);
        ReadFlagWord(kParamFlags, "/* Param flags */");
        ++list.count;
        if (Token().kind == kTokCloseBrace) break;
        GetTokenAfterMember();
    }
    CloseList(list);
}

void ParseEvent(unsigned long) {
    ReadString("String expected 3");
    ExpectComma(kContext);
    ReadString("String expected 4");
    ExpectComma(kContext);
    ReadCode(kCharConstOrEnumName, "Type expected 2", "/* Event class */");
    ExpectComma(kContext);
    ReadCode(kCharConstOrEnumName, "Type expected 3", "/* Descriptor type */");
    ExpectComma(kContext);
    ReadCode(kCharConstOnly, "Type expected 4", "/* Reply type */");
    ExpectComma(kContext);
    ReadString("String expected 5");
    ExpectComma(kContext);
    ReadFlagWord(kEventFlags, "/* Flags */");
    ReadCode(kCharConstOrEnumName, "Type expected 5", "/* Direct param type */");
    ExpectComma(kContext);
    ReadString("String expected 6");
    ExpectComma(kContext);
    ReadFlagWord(kDirectParamFlags, "/* Direct params */");
    ParseParameterList();
}

// Properties end in their flags; the list ends where no member can start, at a close brace.
void ParsePropertyList() {
    CountedList list = OpenList("Property count");
    GetToken();
    while (Token().kind != kTokCloseBrace) {
        std::string name;
        if (!GetStringValue(name)) {
            ExpectCurrent(kTokCloseBrace, kContext, "String expected *3");
            break;
        }
        WriteString(name);
        ExpectComma(kContext);
        ReadCode(kCharConstOrEnumName, "Type expected *1", "");
        ExpectComma(kContext);
        ReadCode(kCharConstOrEnumName, "Type expected *2", "");
        ExpectComma(kContext);
        ReadString("String expected *4");
        ExpectComma(kContext);
        ReadFlagWord(kClassFlags, "/* Class flags */");
        ++list.count;
        if (Token().kind == kTokCloseBrace) break;
        GetToken();
    }
    CloseList(list);
}

void ParseKeyForm(unsigned long) {
    if (!WriteCodeToken(kCharConstOnly, "")) Fail("4 Character constant expected");
}

void ParseElement(unsigned long) {
    ParseKeyForm(0);
    ExpectComma(kContext);
    ParseList("Key forms count", ParseKeyForm);
}

void ParseClass(unsigned long index) {
    if (index == 0) ExpectCurrent(kTokString, kContext, "CloseBrace expected 1");
    ReadString("String Expected *1");
    ExpectComma(kContext);
    ReadCode(kCharConstOrEnumName, "Type expected 8", "");
    ExpectComma(kContext);
    ReadString("STRING expected *2");
    ExpectComma(kContext);
    ParsePropertyList();
    ExpectComma(kContext);
    ParseList("Elements count", ParseElement);
}

// Enumerators: at least one.
void ParseEnumeratorList() {
    CountedList list = OpenList("Alias count");
    do {
        ReadString("String expected 9");
        ExpectComma(kContext);
        ReadCode(kCharConstOrEnumName, "Type expected 11", "");
        ExpectComma(kContext);
        ReadString("String expected 10");
        ++list.count;
        GetTokenAfterMember();
    } while (Token().kind != kTokCloseBrace);
    CloseList(list);
}

// The first enumeration ID that is no code can only be the list's close brace.
void ParseEnumeration(unsigned long index) {
    if (!WriteCodeToken(kCharConstOrEnumName, ""))
        Fail(index == 0 ? "CloseBrace expected 3" : "Type expected 10");
    ExpectComma(kContext);
    ParseEnumeratorList();
}

void ParseComparisonList() {
    ExpectOpenBrace(kContext);
    ExpectClose(kContext, "Close brace expected");
    WriteDecimalWord(0, "/* Number of comparison ops (always 0) */");
}

// One suite; its first token (the open brace) is current and skipped with the name's lookup.
void ParseSuite() {
    ReadString("String expected 1");
    ExpectComma(kContext);
    ReadString("String expected 2");
    ExpectComma(kContext);
    ReadCode(kCharConstOnly, "Type expected 1", "/* Suite ID */");
    ExpectComma(kContext);
    ReadWord("/* Suite level */");
    ExpectComma(kContext);
    ReadWord("/* Suite version */");
    ExpectComma(kContext);
    ParseList("Event Count", ParseEvent);
    ExpectComma(kContext);
    ParseList("Class count", ParseClass);
    ExpectComma(kContext);
    ParseComparisonList();
    ExpectComma(kContext);
    ParseList("Enum count", ParseEnumeration);
    ExpectClose(kContext, "Close brace expected");
}

}  // namespace

void ConvertAETE(const char* type) {
    WriteBlockStart(int16_t(uint16_t(GetResourceID())), type);
    WriteDecimalWord(1, "/* First byte must always be 1 */");
    SkipToCharacter('{');
    int32_t header[4];
    for (int32_t& value : header) {
        value = GetExpression();
        ExpectComma(kContext);
    }
    // Major version in the low byte, minor version in the high byte.
    CheckFieldLimit("majorVersion", uint32_t(header[0]), 255);
    CheckFieldLimit("minorVersion", uint32_t(header[1]), 255);
    WriteHexWord(uint32_t(header[0]) | (uint32_t(header[1]) << 8),
                 "/* majorVersion|minorVersion */");
    WriteDecimalWord(Word16(header[2]), "/* language */");
    WriteDecimalWord(Word16(header[3]), "/* script */");
    ExpectOpenBrace(kContext);
    long suitePlace = WriteCounter("Suite Count");
    unsigned long suites = 0;
    do {
        ParseSuite();
        ++suites;
        GetTokenAfterMember();
    } while (Token().kind != kTokCloseBrace);
    Expect(kTokSemicolon, kContext, "Semicolon expected");
    PatchField(suitePlace, suites, "Suite Count");
    WriteBlockEnd();
}
