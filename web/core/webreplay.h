#pragma once
// The page's side of recorded games: the link that carries a recording (this page's address
// with the fragment #replay=DATA, DATA the recording's text compressed with raw DEFLATE by the
// browser, in base64url without padding), a refusal told as the page shows it, and the words
// and limits of the page's replay items. The compression itself is the browser's.
#include <optional>
#include <string>
#include <string_view>

#include "replay/recording.h"

namespace zn::web {

// The fragment that starts a replay link.
inline constexpr std::string_view kReplayFragment = "#replay=";
// What a refusal of a link names as its source.
inline constexpr std::string_view kReplayLinkName = "the replay link";
// A recording file's name ends so.
inline constexpr std::string_view kReplaySuffix = ".znreplay";

// Bytes as base64url without padding (RFC 4648, section 5).
std::string base64url(std::string_view bytes);
// The bytes of base64url text without padding; nullopt for a character outside the alphabet,
// padding, or a length no encoding has (a remainder of one character).
std::optional<std::string> fromBase64url(std::string_view text);

// Whether an address's fragment (location.hash, '#' included) is a replay link's.
bool isReplayLink(std::string_view hash);
// The compressed bytes a replay link's fragment carries: nullopt when it is not a replay
// link or its data is not base64url (empty data too: no compression is empty).
std::optional<std::string> replayLinkBytes(std::string_view hash);
// The fragment of a link for compressed bytes: kReplayFragment and their base64url.
std::string replayLinkFragment(std::string_view compressed);

// A refusal as the page shows it, in the reader's words: "NAME: line N: reason".
std::string replayProblemText(std::string_view name, const replay::ReadProblem& problem);

// The page's words and limits for recorded games, as JSON: the mark shown while a recording
// plays, the share dialog's caption, text and buttons, the saved file's name, the suffix of
// a recording file, the most bytes the reader reads (a longer text is read to one byte more,
// which it refuses), and the message for a link whose data cannot be decompressed.
std::string replayPageJson();

}  // namespace zn::web
