// Unicode text met in files the user may have saved with another editor.
#pragma once

#include <string>
#include <string_view>

namespace haripon {

// UTF-16 code units in Shift-JIS (code page 932); a character the code page cannot hold
// becomes '?', as the system's own conversion makes it.
std::string SjisFromUtf16(std::u16string_view text);

}  // namespace haripon
