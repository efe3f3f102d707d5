// Choosing the video card: which device's description matches the stored name, and the trace of
// that matching that the chooser leaves in its trace file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Equal texts, where the letters A to Z match their lower-case forms and nothing else is folded.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

struct VideoCardChoice {
    std::size_t chosen = 0; // table index of the chosen device: the last match, else 0
    std::string trace;      // the trace file's text, lines ending in '\n'
};

// Matches `stored` against each description in table order.
VideoCardChoice ChooseVideoCard(const std::string& stored,
                                const std::vector<std::string>& descriptions);
