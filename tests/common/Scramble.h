#pragma once
// A price file as the catalogue ships it scrambled: "CRPT", then each byte
// lowered by a key that runs 1, 2, ... 8, 0 and round again.

#include <string>

namespace qx::test {

inline std::string Scramble(const std::string& plain) {
    std::string out = "CRPT";
    unsigned k = 1;
    for (unsigned char ch : plain) {
        out += static_cast<char>(static_cast<unsigned char>(ch - k));
        k = (k + 1) % 9;
    }
    return out;
}

} // namespace qx::test
