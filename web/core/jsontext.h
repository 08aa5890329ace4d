#pragma once
// A small writer of JSON text, enough for the tables and the skin layout the page reads: the
// page parses the text once with JSON.parse rather than walking the wasm memory.
#include <cstdint>
#include <string>
#include <string_view>

namespace zn::web {

class JsonText {
public:
    JsonText& beginObject() { return open('{'); }
    JsonText& endObject() { return close('}'); }
    JsonText& beginArray() { return open('['); }
    JsonText& endArray() { return close(']'); }
    // The key of the next value in an object.
    JsonText& key(std::string_view k);
    JsonText& value(std::string_view s);
    JsonText& value(const char* s) { return value(std::string_view(s)); }
    JsonText& value(std::int64_t n);
    JsonText& value(int n) { return value(static_cast<std::int64_t>(n)); }
    JsonText& value(std::uint32_t n) { return value(static_cast<std::int64_t>(n)); }
    JsonText& value(bool b);

    const std::string& text() const { return out_; }

private:
    JsonText& open(char c);
    JsonText& close(char c);
    void separate();

    std::string out_;
    bool first_ = true;  // no value yet in the innermost object or array
    bool afterKey_ = false;
};

}  // namespace zn::web
