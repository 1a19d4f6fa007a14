#pragma once
// Number conversions with the program's fixed rounding rules.
#include <cstdint>
#include <string_view>

namespace quillane {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
double RoundHalfEvenToDouble(double x);
// As above, saturated to the 32-bit range.
std::int32_t RoundHalfEven(double x);

// Rounds down (Int): -0.5 -> -1.
std::int32_t IntFloor(double x);

// The number at the start of the text: leading blanks skipped, an optional
// sign, digits with at most one decimal point and an optional exponent. Text
// that does not start with a number reads as 0.
double ParseLeadingNumber(std::wstring_view text);

// Design sizes are in twips; 1440 twips make an inch.
std::int32_t TwipsToPixels(std::int32_t twips, std::int32_t dotsPerInch);

}  // namespace quillane
