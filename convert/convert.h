// The conversion loop over top-level statements and the dispatch by resource type.
#pragma once

// Converts statements until the end of the current source (an include's, or the whole run's).
void ConvertStatements();
// Resources written so far in this run, included files' among them.
unsigned long ConvertedResourceCount();
void ResetConvertedResourceCount();
// After the word resource: converts the resource if its type is known, else skips it.
void ConvertResource();
