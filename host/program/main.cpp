// corvane: the program. Its logic lives in the host library; the program
// links it with an exported dynamic symbol table, so that the modules it
// loads find CreateMessageInput and CreateNetworkInput in it.
#include <cstdio>

#include "host/HostCore.h"
#include "platform/startup/DisplayStartup.h"

namespace {

// Until the main window lands, the console lines go to the standard output.
class TStdoutConsole final : public IConsoleSink {
public:
  void AddConsoleLine(const std::string& Line) override { std::printf("%s\n", Line.c_str()); }
};

}  // namespace

int main()
{
  StartDisplay();
  TStdoutConsole console;
  THostParts parts;
  parts.Console = &console;
  THostCore core(parts);
  core.Start();
  core.Shutdown();
  return 0;
}
