// The conversion loop over top-level statements and the dispatch by resource type.
#pragma once

// Converts statements until the end of the current source (an include's, or the whole run's),
// reading the first token of each statement itself; returns on the end-of-input token. Each
// statement's converter returns on its last token.
void ConvertStatements();
// Resources written so far in this run, included files' among them.
unsigned long ConvertedResourceCount();
void ResetConvertedResourceCount();
// Entered on the word resource: converts the resource if its type is known, else skips it,
// and returns as its converter or SkipResource does. A 'QkPn' not asked for returns on its
// type: the statement loop takes its tokens one by one.
void ConvertResource();
