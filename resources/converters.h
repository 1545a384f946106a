// Converters of the other resource types.
#pragma once

// Each converter is entered on the resource type (a character constant; for ConvertPath the
// one after the word data) and returns on the semicolon that ends the resource, which the
// statement loop passes over with its next token.
void ConvertAddIns();
void ConvertAETE();
// Returns on the close brace: the semicolon after it is left to the statement loop.
void ConvertPate();
void ConvertQkPn();
void ConvertPath();
void ConvertString();
