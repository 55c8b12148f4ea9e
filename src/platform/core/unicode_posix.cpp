#include "platform/core/unicode.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace haripon {

namespace {

// A conversion state of the C library's iconv, closed with its owner.
class Conversion {
  public:
    Conversion() : handle_(iconv_open("CP932", "UTF-16LE")) {}
    ~Conversion() {
        if (Valid())
            iconv_close(handle_);
    }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return handle_; }

  private:
    iconv_t handle_;
};

}  // namespace

std::string SjisFromUtf16(std::u16string_view text) {
    std::string little;  // the code units as UTF-16LE bytes
    for (const char16_t unit : text) {
        little += static_cast<char>(unit & 0xFF);
        little += static_cast<char>(unit >> 8);
    }
    const Conversion conversion;
    if (!conversion.Valid())
        return std::string(text.size(), '?');
    std::string sjis;
    char* in = little.data();
    std::size_t left = little.size();
    while (left > 0) {
        char buffer[256];
        char* out = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t done = iconv(conversion.Get(), &in, &left, &out, &room);
        sjis.append(buffer, static_cast<std::size_t>(out - buffer));
        if (done != static_cast<std::size_t>(-1) || errno == E2BIG)
            continue;
        // A character the code page cannot hold, or a surrogate without its pair: one '?'.
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(in[0]) |
                                                static_cast<unsigned char>(in[1]) << 8);
        const std::size_t skip = unit >= 0xD800 && unit < 0xDC00 && left >= 4 ? 4 : 2;
        sjis += '?';
        in += std::min(skip, left);
        left -= std::min(skip, left);
    }
    return sjis;
}

}  // namespace haripon
