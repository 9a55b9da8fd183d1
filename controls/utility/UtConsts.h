// The texts of the utility library's errors and listings, as the system writes them.
#pragma once

// Type information
inline constexpr const char* RsRTTIUnknownIdentifier = "Unknown identifier '%s'.";
inline constexpr const char* RsRTTIValueOutOfRange = "Value out of range (%s).";
inline constexpr const char* RsRTTIOrdinal = "ordinal=";

// Settings storage
inline constexpr const char* SInvalidPath = "Invalid path";
inline constexpr const char* SInvalidType = "Invalid type";
inline constexpr const char* SUnknownBaseType = "Unknown base type for given set";
inline constexpr const char* SNotAUniqueRootPath = "'%s' is not a unique root path";
inline constexpr const char* SCircularReferenceOfStorages = "Circular reference of storages";
