#include "sound/libraryquiet.h"

#include <alsa/asoundlib.h>

#include <cstdlib>
#include <cstring>

namespace zn {

namespace {

// ALSA's error handler that says nothing.
void discardAlsaError(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

bool libraryDiagnosticsWanted() {
    const char* debug = std::getenv("ZN_DEBUG");
    return debug != nullptr && std::strcmp(debug, "1") == 0;
}

void quietAudioLibraries() {
    // SDL opens the same libasound.so.2 that this program links, so the handler set here
    // is the one its ALSA driver reports through. Null puts back ALSA's default printer.
    snd_lib_error_set_handler(libraryDiagnosticsWanted() ? nullptr : discardAlsaError);
}

}  // namespace zn
