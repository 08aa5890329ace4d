// zorpy-nibbo-script: plays the game from a script on standard input, printing sounds,
// figures and state on standard output. Exit status 1 when any line was refused, 2 when
// standard input could not be read or standard output not written.
#include <chrono>
#include <cstdint>
#include <iostream>
#include <random>

#include "tools/script/script_driver.h"

int main() {
    std::ios::sync_with_stdio(false);
    // Without a `seed` command the ghosts differ from run to run.
    std::random_device device;
    const auto seed =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) ^
        (static_cast<std::uint64_t>(device()) << 32);
    zn::ScriptDriver driver(std::cout, std::cerr, seed);
    return driver.run(std::cin);
}
