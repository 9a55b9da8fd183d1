#include "GoldenFile.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::string CompareWithGolden(const std::string& Name, const std::string& Actual)
{
  const std::string Path = std::string(CORVANE_HTML_GOLDEN_DIR) + "/" + Name;
  if (std::getenv("CORVANE_UPDATE_GOLDENS")) {
    std::ofstream(Path, std::ios::binary) << Actual;
    return {};
  }
  std::ifstream In(Path, std::ios::binary);
  std::stringstream Expected;
  Expected << In.rdbuf();
  if (In && Expected.str() == Actual) {
    std::remove((Path + ".actual").c_str());
    return {};
  }
  std::ofstream(Path + ".actual", std::ios::binary) << Actual;
  // The first line that differs, to read in the test log.
  std::istringstream E(Expected.str()), A(Actual);
  std::string LineE, LineA;
  for (int Line = 1;; ++Line) {
    const bool MoreE = bool(std::getline(E, LineE));
    const bool MoreA = bool(std::getline(A, LineA));
    if (!MoreE && !MoreA)
      break;
    if (!MoreE || !MoreA || LineE != LineA)
      return Path + " differs at line " + std::to_string(Line) + "\n  expected: " + (MoreE ? LineE : "<end>") +
             "\n  actual:   " + (MoreA ? LineA : "<end>") + "\n(actual text written to " + Path + ".actual)";
  }
  return Path + " is missing or unreadable (actual text written to " + Path + ".actual)";
}
