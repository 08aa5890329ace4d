#pragma once
// The audio libraries that SDL loads print their own diagnostics on standard error: with
// no sound server and no sound card, a start would print a screenful of ALSA's lines
// about cards and plug-ins it could not find, which tell a player nothing (the game falls
// back to silence by itself). quietAudioLibraries() turns those off before SDL loads the
// libraries, unless ZN_DEBUG=1 asks to see them. The program's own messages are not
// affected.

namespace zn {

// True when the environment asks for the libraries' diagnostics (ZN_DEBUG=1).
bool libraryDiagnosticsWanted();

// Silences ALSA's error handler unless libraryDiagnosticsWanted(); then puts back ALSA's
// own. Cheap; called before each start of the sound.
void quietAudioLibraries();

}  // namespace zn
