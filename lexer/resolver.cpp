// Sources held in memory, for the in-memory conversion.
#include "lexer/resolver.h"

#include <cstring>

bool TextReader::Read(char* into, size_t room, size_t& count) {
    count = text_.size() - next_ < room ? text_.size() - next_ : room;
    std::memcpy(into, text_.data() + next_, count);
    next_ += count;
    return true;
}

std::unique_ptr<SourceReader> TextResolver::Open(const std::string& path) {
    auto found = files.find(path);
    if (found == files.end()) return nullptr;
    return std::unique_ptr<SourceReader>(new TextReader(found->second));
}
