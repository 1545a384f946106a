// Converters of the other resource types.
#pragma once

// Each converter is entered on the resource type (a character constant; for ConvertPath the
// one after the word data) and returns on the semicolon that ends the resource, which the
// statement loop passes over with its next token. type is the type the script names (its
// row's stored type); a string table has a statement of its own and takes none.
void ConvertAddIns(const char* type);
void ConvertAETE(const char* type);
// Returns on the close brace: the semicolon after it is left to the statement loop.
void ConvertPate(const char* type);
void ConvertQkPn(const char* type);
void ConvertPath(const char* type);
void ConvertString(const char*);
