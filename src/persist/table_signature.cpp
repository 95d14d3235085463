#include "persist/table_signature.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace {

// Folds one character into a position of the signature, keeping it within 32..255.
void Mix(std::string& signature, std::size_t position, char value) {
    const unsigned current = static_cast<unsigned char>(signature[position]);
    const unsigned added = static_cast<unsigned char>(value);
    signature[position] = static_cast<char>((current + added) % 224 + 32);
}

}  // namespace

std::string TableSignature(const THighScoreTable& table) {
    std::size_t length = 0;
    for (int i = 1; i <= 10; ++i) length = std::max(length, table.Slot(i).Name.size());

    std::string signature(length, ' ');
    for (int i = 1; i <= 10; ++i) {
        const std::string& name = table.Slot(i).Name;
        for (std::size_t j = 0; j < name.size(); ++j) Mix(signature, j, name[j]);
        // The signature is as long as the longest name, so a table of short names leaves some
        // digits of a long score without a place. Those digits are left out, when the file is
        // written and when it is checked alike: nothing is written past the signature's end.
        const std::string digits = std::to_string(table.Slot(i).Score);
        const std::size_t placed = std::min(digits.size(), length);
        for (std::size_t k = 0; k < placed; ++k) Mix(signature, k, digits[k]);
    }
    return signature;
}
