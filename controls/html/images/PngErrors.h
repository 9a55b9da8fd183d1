// The PNG codec's exception and its English texts (the decoders of the viewer
// report in English; the loaders catch everything).
#pragma once

#include <string>

#include "platform/classes/graphics/Graphic.h"

CORVANE_DECLARE_EXCEPTION(EPNGImageException, EInvalidGraphic);

inline constexpr const char* SPngCriticalChunk =
    "The currently being loaded image contains critical(s) chunk(s) not reconized by the decoder.";
inline constexpr const char* SPngCorruptedData = "Can't read the PNG image, it has corrupted data. ";
inline constexpr const char* SPngInvalidFileHeader =
    "Invalid Portable Graphics Network image, it has an invalid file header.";
inline constexpr const char* SPngIHDRNotFirst =
    "This PNG image is invalid, the IHDR chunk is either not present or it isn't the first chunk.";
inline constexpr const char* SPngNoImageData = "The current image being loaded has no data and could not be loaded.";
inline constexpr const char* SPngInvalidPalette = "The current image being loaded has an invalid palette!";
inline constexpr const char* SPngMissingPalette = "The current image requeries a palette but it is not avaliable.";
inline constexpr const char* SPngUnknownColorType = "Could not read the image because it has an unknown color type.";
inline constexpr const char* SPngUnknownInterlace = "The image has an unknown interlace method.";
inline constexpr const char* SPngUnknownFilter =
    "The image could not be loaded because it uses an unknown set of filter types.";
inline constexpr const char* SPngChunkIndex = "The chunk index especified is out of the range.";
inline constexpr const char* SPngClassIndex = "The chunk class index especified is  out of range.";
inline constexpr const char* SPngChunkNotInList =
    "The especified chunk is not inside the chunk list containing the method being used. The funcion could not be "
    "completed.";
// Checks of hostile input that the format's rules demand.
inline constexpr const char* SPngInvalidHeader = "The IHDR chunk of the image is invalid.";
inline constexpr const char* SPngInvalidSize = "The image has invalid or too large dimensions.";
inline constexpr const char* SPngInvalidBitDepth = "The image has a bit depth its color type does not allow.";
inline constexpr const char* SPngTruncatedData = "The image data ends before the last row of the image.";

// "Portable Network Graphics format handler error", two line ends, the message.
[[noreturn]] void RaisePNGError(const char* Message);
