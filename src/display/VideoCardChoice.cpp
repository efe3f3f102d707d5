#include "display/VideoCardChoice.h"

#include <algorithm>

namespace {

char LowerAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAsciiLetter(x) == LowerAsciiLetter(y); });
}

VideoCardChoice ChooseVideoCard(const std::string& stored,
                                const std::vector<std::string>& descriptions)
{
    VideoCardChoice choice;
    choice.trace = stored + "\n";
    if (!stored.empty())
        choice.trace += "Passed strlen test\n";
    choice.trace += "\n";
    for (std::size_t i = 0; i < descriptions.size(); ++i) {
        if (!stored.empty()) {
            // Written whole, however long the two texts are together.
            choice.trace += "Testing " + stored + " against " + descriptions[i] + "\n";
            if (EqualIgnoringAsciiCase(stored, descriptions[i])) {
                choice.chosen = i;
                choice.trace += "Matched!\n";
            } else {
                choice.trace += "Not matched.\n";
            }
        }
        choice.trace += "\n";
    }
    return choice;
}
