// zn-docpage IN OUT: writes the page made from the document IN (docpage.h) to OUT. The build
// makes Readme.html and Whatsnew.html of the game folder with it, for the web edition.
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "tools/docpage/docpage.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: zn-docpage IN.txt OUT.html\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "zn-docpage: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << zn::docpage::documentPage(text);
    if (!out.flush()) {
        std::cerr << "zn-docpage: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
