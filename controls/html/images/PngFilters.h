// The five row filters of the PNG format (0 None, 1 Sub, 2 Up, 3 Average,
// 4 Paeth), both ways. Bytes wrap modulo 256; "left" is the byte Bpp earlier
// in the row (0 before the row), "up" the same byte of the previous row.
#pragma once

#include <cstddef>
#include <cstdint>

// Undoes filter Type in place; false for a type above 4.
bool UnfilterRow(std::uint8_t Type, std::uint8_t* Row, const std::uint8_t* Prev, std::size_t RowBytes,
                 std::size_t Bpp);
// Filters Raw against Prev with Type into Out.
void FilterRow(std::uint8_t Type, const std::uint8_t* Raw, const std::uint8_t* Prev, std::uint8_t* Out,
               std::size_t RowBytes, std::size_t Bpp);
// The predictor nearest to left + up - upper-left, ties in the order left,
// up, upper-left.
std::uint8_t PaethPredictor(std::uint8_t Left, std::uint8_t Up, std::uint8_t UpperLeft);
