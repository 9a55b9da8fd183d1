#include "controls/html/styles/BoxValues.h"

namespace {

const std::shared_ptr<const TVMarginArray>& EmptyValues()
{
  static const auto Empty = std::make_shared<const TVMarginArray>();
  return Empty;
}

std::size_t HashOf(const TVMarginArray& Values)
{
  std::size_t H = 0;
  for (const TPropValue& V : Values)
    H = H * 1000003u ^ V.Hash();
  return H;
}

}  // namespace

TBoxValues::TBoxValues() : FValues(EmptyValues()) {}

void TBoxValues::Assign(const TVMarginArray& Values, TBoxValuePool& Pool)
{
  FValues = Pool.Intern(Values);
}

void TBoxValues::Set(std::size_t Index, TPropValue Value)
{
  if ((*FValues)[Index] == Value)
    return;
  auto Own = std::make_shared<TVMarginArray>(*FValues);
  (*Own)[Index] = std::move(Value);
  FValues = std::move(Own);
}

std::shared_ptr<const TVMarginArray> TBoxValuePool::Intern(const TVMarginArray& Values)
{
  const std::size_t H = HashOf(Values);
  auto [First, Last] = FSets.equal_range(H);
  for (auto It = First; It != Last; ++It)
    if (*It->second == Values)
      return It->second;
  return FSets.emplace(H, std::make_shared<const TVMarginArray>(Values))->second;
}

std::size_t TBoxValuePool::Count() const
{
  return FSets.size();
}
