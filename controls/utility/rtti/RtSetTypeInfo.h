// The wrapper of set descriptors.
#pragma once

#include "controls/utility/rtti/RtTypeInfo.h"

class TRtSetTypeInfo : public TRtOrdinalTypeInfoT<IRtSetInfo> {
public:
  using TRtOrdinalTypeInfoT::TRtOrdinalTypeInfoT;

  InterfacePtr<IRtOrdinalTypeInfo> BaseType() override;
  void ElementsToList(std::span<const std::uint8_t> Value, bool WantRanges,
                      std::vector<std::string>& Strings) override;
  void ListToElements(std::span<std::uint8_t> Value, const std::vector<std::string>& Strings) override;

  void WriteInfo(IRtInfoOutput* Output) override;
  void WriteDeclaration(IRtInfoOutput* Output) override;
};
