#include "controls/utility/storage/UtAppStorageOptions.h"

#include "controls/utility/detail/Text.h"
#include "platform/base/StringList.h"
#include "platform/base/StringRoutines.h"

namespace {

std::string FirstEntry(const std::string& list)
{
  auto comma = list.find(',');
  return Trim(comma == std::string::npos ? list : list.substr(0, comma));
}

}  // namespace

TUtCustomAppStorageOptions::TUtCustomAppStorageOptions()
    : FBooleanAsString(true),
      FBooleanStringTrueValues("TRUE, YES, Y"),
      FBooleanStringFalseValues("FALSE, NO, N"),
      FEnumerationAsString(true),
      FTypedIntegerAsString(true),
      FSetAsString(false),
      FDateTimeAsString(true),
      FFloatAsString(false),
      FDefaultIfReadConvertError(false),
      FDefaultIfValueNotExists(true)
{
}

std::string TUtCustomAppStorageOptions::FirstTrueString() const
{
  return FirstEntry(FBooleanStringTrueValues);
}

std::string TUtCustomAppStorageOptions::FirstFalseString() const
{
  return FirstEntry(FBooleanStringFalseValues);
}

void TUtCustomAppStorageOptions::SetBooleanAsString(bool Value)
{
  FBooleanAsString = Value && !FirstTrueString().empty() && !FirstFalseString().empty();
}

void TUtCustomAppStorageOptions::SetBooleanStringTrueValues(const std::string& Value)
{
  FBooleanStringTrueValues = Value;
  if (FirstTrueString().empty())
    FBooleanAsString = false;
}

void TUtCustomAppStorageOptions::SetBooleanStringFalseValues(const std::string& Value)
{
  FBooleanStringFalseValues = Value;
  if (FirstFalseString().empty())
    FBooleanAsString = false;
}

bool TUtCustomAppStorageOptions::IsInValueList(const std::string& Value, const std::string& List) const
{
  TStringList entries;
  entries.SetCommaText(UpperCase(List));
  std::string wanted = UpperCase(Value);
  for (int i = 0; i < entries.Count(); ++i)
    if (entries.Strings(i) == wanted)
      return true;
  return false;
}

void TUtCustomAppStorageOptions::Assign(TPersistent* Source)
{
  auto* other = dynamic_cast<TUtCustomAppStorageOptions*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  FBooleanStringTrueValues = other->FBooleanStringTrueValues;
  FBooleanStringFalseValues = other->FBooleanStringFalseValues;
  FBooleanAsString = other->FBooleanAsString;
  FEnumerationAsString = other->FEnumerationAsString;
  FTypedIntegerAsString = other->FTypedIntegerAsString;
  FSetAsString = other->FSetAsString;
  FDateTimeAsString = other->FDateTimeAsString;
  FFloatAsString = other->FFloatAsString;
  FDefaultIfReadConvertError = other->FDefaultIfReadConvertError;
  FDefaultIfValueNotExists = other->FDefaultIfValueNotExists;
}
