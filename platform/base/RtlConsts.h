// The run-time library's own texts, in French. Texts with % take Format's arguments.
#pragma once

inline constexpr const char* SOperationAborted = "Opération abandonnée";
inline constexpr const char* SAssignError = "Impossible d'affecter %s à %s";
