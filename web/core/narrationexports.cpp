// The functions zn.wasm exports for the page's narration (ui/narration.h): what the figures
// came to mean since the last call, and the whole state in one sentence.
#include <cstdint>

#include "ui/narration.h"
#include "web/core/bridge.h"
#include "web/core/jsontext.h"

namespace {

using namespace zn::web::bridge;

// The narrator of the one game. A game reset puts the clock back to 0: the narrator starts
// again with it, so the reset's new state is not told as a change.
zn::Narrator narrator;
std::int64_t lastLook = 0;

}  // namespace

// [{"text": words, "urgent": true for game over}, ...]; an empty text when nothing changed.
ZN_EXPORT(zn_narrate) int zn_narrate() {
    const std::int64_t now = theGame().now();
    if (now < lastLook) narrator = zn::Narrator();
    lastLook = now;
    const auto said = narrator.observe(zn::NarratedState::of(theGame().game()), now);
    if (said.empty()) return setOutput({});
    zn::web::JsonText j;
    j.beginArray();
    for (const zn::Utterance& u : said) j.beginObject().key("text").value(u.text).key("urgent").value(u.urgent).endObject();
    j.endArray();
    return setOutput(j.text());
}

ZN_EXPORT(zn_speed_words) int zn_speed_words(int percent) { return setOutput(zn::Narrator::speedWords(percent)); }

ZN_EXPORT(zn_describe) int zn_describe() {
    return setOutput(zn::Narrator::describe(zn::NarratedState::of(theGame().game())));
}
