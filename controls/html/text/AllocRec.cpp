#include "controls/html/text/AllocRec.h"

#include <cstdlib>

#include "platform/base/Exception.h"

AllocRec::AllocRec(std::size_t Size) : FSize(Size), FPtr(std::malloc(Size == 0 ? 1 : Size))
{
  if (!FPtr)
    Abort();
}

AllocRec::~AllocRec()
{
  std::free(FPtr);
}
