// Text of a UTF-8 source written in the target's code page, and the notice for a source that
// looks like UTF-8 but is read as Mac Roman bytes.
#pragma once
#include <cstdint>
#include <string>

// The code page the script's text is written in: 1252, or 932, 936, 949 with -j, -c, -k.
int TargetCodePage();
// Rewrites text read as UTF-8 in the target code page; a malformed sequence or a character
// the code page cannot hold ends the run, for a string value (kScriptString) where its first
// literal closed, else at the current source position. A string value gets a backslash byte
// of a double-byte character escaped.
enum SourceTextUse { kScriptString, kCharConstant };
void RecodeSourceText(std::string& text, SourceTextUse use);
// Once per run, without -u or a language option: a warning on stderr when text looks like
// UTF-8 (LooksLikeUtf8; line: where the text stands).
void NoticeUtf8Lookalike(const std::string& text, int32_t line);
