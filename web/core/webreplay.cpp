#include "web/core/webreplay.h"

#include <array>
#include <cstdint>

#include "replay/recordingfile.h"
#include "web/core/jsontext.h"

namespace zn::web {

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// Each byte's value in the alphabet, or -1.
constexpr std::array<std::int8_t, 256> kValues = [] {
    std::array<std::int8_t, 256> v{};
    v.fill(-1);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        v[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    return v;
}();

}  // namespace

std::string base64url(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() * 4 + 2) / 3);
    std::uint32_t bits = 0;
    int count = 0;
    for (const char c : bytes) {
        bits = (bits << 8) | static_cast<unsigned char>(c);
        count += 8;
        while (count >= 6) {
            count -= 6;
            out += kAlphabet[(bits >> count) & 63];
        }
    }
    if (count > 0) out += kAlphabet[(bits << (6 - count)) & 63];
    return out;
}

std::optional<std::string> fromBase64url(std::string_view text) {
    if (text.size() % 4 == 1) return std::nullopt;
    std::string out;
    out.reserve(text.size() * 3 / 4);
    std::uint32_t bits = 0;
    int count = 0;
    for (const char c : text) {
        const int v = kValues[static_cast<unsigned char>(c)];
        if (v < 0) return std::nullopt;
        bits = (bits << 6) | static_cast<std::uint32_t>(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return out;
}

bool isReplayLink(std::string_view hash) { return hash.starts_with(kReplayFragment); }

std::optional<std::string> replayLinkBytes(std::string_view hash) {
    if (!isReplayLink(hash)) return std::nullopt;
    auto bytes = fromBase64url(hash.substr(kReplayFragment.size()));
    if (!bytes || bytes->empty()) return std::nullopt;
    return bytes;
}

std::string replayLinkFragment(std::string_view compressed) {
    return std::string(kReplayFragment) + base64url(compressed);
}

std::string replayProblemText(std::string_view name, const replay::ReadProblem& problem) {
    return replay::describeProblem(std::string(name), problem);
}

std::string replayPageJson() {
    JsonText j;
    j.beginObject();
    j.key("mark").value("Replay");
    j.key("shareCaption").value("Share this game");
    j.key("shareText").value("This link plays the game since the device was switched on:");
    j.key("copy").value("Copy");
    j.key("copied").value("Copied");
    j.key("share").value("Share");
    j.key("shareWidth").value(400);  // the dialog's client area
    j.key("shareHeight").value(120);
    j.key("fileName").value("zorpy-nibbo.znreplay");
    j.key("suffix").value(kReplaySuffix);
    j.key("maxBytes").value(static_cast<std::int64_t>(replay::kMaxBytes));
    j.key("damaged").value(
        replayProblemText(kReplayLinkName, {0, "its data is damaged (not a compressed recording)"}));
    j.endObject();
    return j.text();
}

}  // namespace zn::web
