// Prints what the native bridge answers, for the node test that asks zn.wasm the same:
//   webcore_dump skin CONFIG.INI FULLSCREEN(0|1) SCREEN_WIDTH SCREEN_HEIGHT
//   webcore_dump settings | keys
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "web/core/webskin.h"
#include "web/core/webtables.h"

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "skin" && argc == 6) {
        std::ifstream in(argv[2], std::ios::binary);
        if (!in) {
            std::cerr << "webcore_dump: cannot read " << argv[2] << '\n';
            return 2;
        }
        std::ostringstream text;
        text << in.rdbuf();
        std::cout << zn::web::readSkinJson(text.str(), std::string(argv[3]) == "1", std::stoi(argv[4]),
                                           std::stoi(argv[5]));
        return 0;
    }
    if (what == "settings" && argc == 2) {
        std::cout << zn::web::settingsJson();
        return 0;
    }
    if (what == "keys" && argc == 2) {
        std::cout << zn::web::keyTableJson();
        return 0;
    }
    std::cerr << "usage: webcore_dump skin CONFIG.INI FULLSCREEN SCREEN_WIDTH SCREEN_HEIGHT | settings | keys\n";
    return 2;
}
