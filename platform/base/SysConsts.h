// The French texts of the run-time library's conversions, lists and streams.
// Texts with % take Format's arguments.
#pragma once

// Conversions and formatting
inline constexpr const char* SInvalidInteger = "'%s' n'est pas une valeur entière valide";
inline constexpr const char* SInvalidFloat = "'%s' n'est pas une valeur en virgule flottante valide";
inline constexpr const char* SInvalidFormat = "Format '%s' incorrect ou incompatible avec l'argument";
inline constexpr const char* SArgumentMissing = "Aucun argument pour le format '%s'";
inline constexpr const char* SInvalidBoolean = "'%s' n'est pas une valeur booléenne valide";

// Integer arithmetic
inline constexpr const char* SIntOverflow = "Débordement d'entier";
inline constexpr const char* SRangeError = "Erreur de vérification d'étendue";

// Dates and times
inline constexpr const char* SDateEncodeError = "Argument d'encodage de date incorrect";
inline constexpr const char* STimeEncodeError = "Argument d'encodage d'heure incorrect";

// Lists
inline constexpr const char* SListIndexError = "Indice de liste hors limites (%d)";
inline constexpr const char* SListCapacityError = "Capacité de la liste hors limites (%d)";
inline constexpr const char* SListCountError = "Nombre d'éléments de la liste hors limites (%d)";
inline constexpr const char* SDuplicateString = "Doublons non autorisés dans cette liste";
inline constexpr const char* SSortedListError = "Opération non autorisée sur des listes de chaînes triées";

// Streams
inline constexpr const char* SReadError = "Erreur de lecture du flux";
inline constexpr const char* SWriteError = "Erreur d'écriture du flux";
inline constexpr const char* SFCreateError = "Impossible de créer le fichier %s";
inline constexpr const char* SFOpenError = "Impossible d'ouvrir le fichier %s";
inline constexpr const char* SMemoryStreamError = "Mémoire insuffisante lors de l'extension du flux mémoire";
inline constexpr const char* SStreamSetSizeError = "Impossible de changer la taille du flux";
inline constexpr const char* SDivByZero = "Division par zéro";
