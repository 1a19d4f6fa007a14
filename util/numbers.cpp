#include "util/numbers.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>
#include <limits>

namespace quillane {

double RoundHalfEvenToDouble(double x) {
  if (!std::isfinite(x)) return x;
  const double down = std::floor(x);
  const double diff = x - down;
  if (diff > 0.5) return down + 1.0;
  if (diff < 0.5) return down;
  return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

namespace {
std::int32_t Saturate(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (v <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}
}  // namespace

std::int32_t RoundHalfEven(double x) { return Saturate(RoundHalfEvenToDouble(x)); }

std::int32_t IntFloor(double x) { return Saturate(std::floor(x)); }

double ParseLeadingNumber(std::wstring_view text) {
  const auto at = [&](std::size_t k) -> wchar_t { return k < text.size() ? text[k] : L'\0'; };
  const auto isDigit = [](wchar_t c) { return c >= L'0' && c <= L'9'; };
  std::size_t i = 0;
  while (at(i) == L' ' || at(i) == L'\t') ++i;

  // Collect the longest prefix that forms a number, then convert it exactly.
  std::string number;
  if (at(i) == L'+' || at(i) == L'-') number += static_cast<char>(text[i++]);
  bool anyDigit = false;
  while (isDigit(at(i))) number += static_cast<char>(text[i++]), anyDigit = true;
  if (at(i) == L'.') {
    number += static_cast<char>(text[i++]);
    while (isDigit(at(i))) number += static_cast<char>(text[i++]), anyDigit = true;
  }
  if (!anyDigit) return 0.0;
  if (at(i) == L'e' || at(i) == L'E') {
    std::size_t j = i + 1;
    if (at(j) == L'+' || at(j) == L'-') ++j;
    if (isDigit(at(j))) {
      while (i < j) number += static_cast<char>(text[i++]);
      while (isDigit(at(i))) number += static_cast<char>(text[i++]);
    }
  }
  const char* first = number.data();
  if (*first == '+') ++first;  // from_chars takes no plus sign
  double value = 0.0;
  const auto result = std::from_chars(first, number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Keep the sign and the size class: overflow is huge, underflow is zero.
    const bool negative = number.front() == '-';
    const std::size_t e = number.find_first_of("eE");
    if (e != std::string::npos && e + 1 < number.size() && number[e + 1] == '-') return 0.0;
    return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
  }
  return value;
}

std::int32_t TwipsToPixels(std::int32_t twips, std::int32_t dotsPerInch) {
  return RoundHalfEven(static_cast<double>(twips) * dotsPerInch / 1440.0);
}

}  // namespace quillane
