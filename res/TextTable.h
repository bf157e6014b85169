#pragma once
// The English text table of the resource library: every text id the program loads, in ascending
// order, each with its UTF-8 text.

#include <span>

struct ResText {
    unsigned id;
    const char* text;
};

std::span<const ResText> ResTexts();
// The text of an id, or null.
const char* FindResText(unsigned id);
