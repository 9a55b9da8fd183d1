// Japanese documents in EUC-JP or ISO-2022-JP are converted to Shift-JIS
// before they are read, so that the viewer deals with one Japanese code page.
#pragma once

#include <string>
#include <string_view>

// JIS X 0208 pairs become Shift-JIS pairs, half-width katakana (after the SS2
// byte) single Shift-JIS bytes; a JIS X 0212 character (after SS3), which
// Shift-JIS cannot show, becomes the geta mark. Bytes up to 160 are copied.
std::string EucJpToShiftJis(std::string_view Text);
// ESC ( B and ESC ( J switch to single bytes, ESC $ @ and ESC $ B to pairs of
// JIS X 0208, which become Shift-JIS pairs.
std::string Iso2022JpToShiftJis(std::string_view Text);
