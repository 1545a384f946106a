// Converters of the other resource types.
#pragma once

void ConvertAddIns();
void ConvertAETE();
void ConvertPate();
void ConvertQkPn();
void ConvertPath();
void ConvertString();
