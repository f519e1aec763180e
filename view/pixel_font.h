// Letters of whole pixels, 5 wide and 7 high, for the few words painted into
// the picture itself (the strain key): every painter draws them as the same
// little squares, so a picture file shows them exactly as the window does, on
// any machine, with no font to look up. Reads and writes no globals.
#pragma once

#include <string>

constexpr int LETTER_WIDTH = 5;
constexpr int LETTER_HEIGHT = 7;
constexpr int LETTER_ADVANCE = 6;  // a letter and the gap after it

// The width of `text` in pixels (0 for none).
int pixelTextWidth(const std::string& text);

// The seven rows of the letter for `c`, the top first, bit 4 the leftmost
// pixel; null for a character the font does not have (drawn as a space).
// It has the digits, "adeginorst" and "-.%".
const unsigned char* letterRows(char c);

// Calls dot(x, y) for every lit pixel of `text` drawn with its top-left at (x, y).
template <class Dot>
void forEachTextPixel(const std::string& text, int x, int y, Dot&& dot)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char* rows = letterRows(text[i]);
        if (!rows)
            continue;
        const int left = x + static_cast<int>(i) * LETTER_ADVANCE;
        for (int r = 0; r < LETTER_HEIGHT; ++r)
            for (int c = 0; c < LETTER_WIDTH; ++c)
                if (rows[r] & (0x10 >> c))
                    dot(left + c, y + r);
    }
}
