#include "web/core/jsontext.h"

namespace zn::web {

void JsonText::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_) out_ += ',';
    first_ = false;
}

JsonText& JsonText::open(char c) {
    separate();
    out_ += c;
    first_ = true;
    return *this;
}

JsonText& JsonText::close(char c) {
    out_ += c;
    first_ = false;
    return *this;
}

JsonText& JsonText::key(std::string_view k) {
    value(k);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

JsonText& JsonText::value(std::string_view s) {
    separate();
    out_ += '"';
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += c;
        } else if (u < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            out_ += "\\u00";
            out_ += kHex[u >> 4];
            out_ += kHex[u & 0xF];
        } else {
            out_ += c;  // UTF-8 passes as it is; bytes that are no UTF-8 become U+FFFD in the page
        }
    }
    out_ += '"';
    return *this;
}

JsonText& JsonText::value(std::int64_t n) {
    separate();
    out_ += std::to_string(n);
    return *this;
}

JsonText& JsonText::value(bool b) {
    separate();
    out_ += b ? "true" : "false";
    return *this;
}

}  // namespace zn::web
