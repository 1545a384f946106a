// The script being assembled, for the emit layer only: every other layer writes through the
// item writers and the block framing of output.h.
#pragma once
#include <string>

// The script not yet handed to the output stream: the block being written and the blocks
// after the last write. Lengths and counts are patched here, so a block is written whole.
extern std::string ScriptBuffer;
