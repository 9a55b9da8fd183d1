// Text goldens: a journal compared with a file under golden/. On a mismatch
// the actual text is written beside the golden as <name>.actual; with
// CORVANE_UPDATE_GOLDENS set in the environment the golden is rewritten.
#pragma once

#include <string>

// Empty when Actual equals the golden; otherwise a message for the failure.
std::string CompareWithGolden(const std::string& Name, const std::string& Actual);

#define EXPECT_GOLDEN(Name, Actual)                              \
  do {                                                           \
    const std::string GoldenMessage = CompareWithGolden(Name, Actual); \
    EXPECT_TRUE(GoldenMessage.empty()) << GoldenMessage;         \
  } while (0)
