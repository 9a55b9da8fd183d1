// The job behind a printer DC (Printing.cpp), as the DC's capabilities ask it.
#pragma once

namespace gdi {

struct TPrintJob;
int PrinterDeviceCaps(const TPrintJob& job, int index);

}  // namespace gdi
