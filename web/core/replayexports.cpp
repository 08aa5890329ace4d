// The functions zn.wasm exports to the page for recorded games (web/site/js/replay.js): the
// recording since power-on, opening a recording's text, the phase of the game's time line,
// and the link that carries a recording (web/core/webreplay.h). The page's buffer holds the
// texts and bytes (web/core/bridge.h).
#include <string>
#include <vector>

#include "web/core/bridge.h"
#include "web/core/webreplay.h"

using namespace zn::web::bridge;

// The recording since power-on (or since the recording played began), ending now.
ZN_EXPORT(zn_replay_text) int zn_replay_text() { return setOutput(theGame().recordingText()); }
// 0 live, 1 a recording plays, 2 held at its end.
ZN_EXPORT(zn_replay_phase) int zn_replay_phase() { return static_cast<int>(theGame().phase()); }
// The buffer holds the source's name (its first nameLength bytes, a file's name; none for a
// link) and then the recording's text, which plays from a new game. The result is empty when
// it plays, else the refusal in the reader's words; the game then goes on untouched.
ZN_EXPORT(zn_replay_open) int zn_replay_open(int length, int nameLength) {
    const std::string_view all = inputText(length);
    if (nameLength < 0 || static_cast<std::size_t>(nameLength) > all.size()) nameLength = 0;
    const std::string_view name = nameLength > 0 ? all.substr(0, nameLength) : zn::web::kReplayLinkName;
    const auto problem = theGame().open(all.substr(static_cast<std::size_t>(nameLength)));
    return setOutput(problem ? zn::web::replayProblemText(name, *problem) : std::string());
}
// The buffer holds an address's fragment: 1 when it is a replay link's.
ZN_EXPORT(zn_replay_is_link) int zn_replay_is_link(int length) {
    return zn::web::isReplayLink(inputText(length)) ? 1 : 0;
}
// The buffer holds a replay link's fragment: the list holds its compressed bytes, none when
// its data is not base64url.
ZN_EXPORT(zn_replay_link_bytes) int zn_replay_link_bytes(int length) {
    std::vector<int> list;
    if (const auto bytes = zn::web::replayLinkBytes(inputText(length)))
        for (const char c : *bytes) list.push_back(static_cast<unsigned char>(c));
    return setList(list);
}
// The buffer holds compressed bytes: the result is the fragment of a link that carries them.
ZN_EXPORT(zn_replay_fragment) int zn_replay_fragment(int length) {
    return setOutput(zn::web::replayLinkFragment(inputText(length)));
}
ZN_EXPORT(zn_replay_page) int zn_replay_page() { return setOutput(zn::web::replayPageJson()); }
