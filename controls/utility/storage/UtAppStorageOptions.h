// The options of a settings store: how booleans, enumerations, typed
// integers, sets, date-times and floats are written, and what a read does
// with a missing value or a conversion error.
#pragma once

#include <string>

#include "platform/base/Persistent.h"

class TUtCustomAppStorageOptions : public TPersistent {
public:
  TUtCustomAppStorageOptions();

  bool BooleanAsString() const { return FBooleanAsString; }
  const std::string& BooleanStringTrueValues() const { return FBooleanStringTrueValues; }
  const std::string& BooleanStringFalseValues() const { return FBooleanStringFalseValues; }
  bool EnumerationAsString() const { return FEnumerationAsString; }
  bool TypedIntegerAsString() const { return FTypedIntegerAsString; }
  bool SetAsString() const { return FSetAsString; }
  bool DateTimeAsString() const { return FDateTimeAsString; }
  bool FloatAsString() const { return FFloatAsString; }
  bool DefaultIfReadConvertError() const { return FDefaultIfReadConvertError; }
  bool DefaultIfValueNotExists() const { return FDefaultIfValueNotExists; }

  // True only when Value is true and both first strings are non-empty.
  virtual void SetBooleanAsString(bool Value);
  // Store the list, then clear BooleanAsString when its first string is empty.
  virtual void SetBooleanStringTrueValues(const std::string& Value);
  virtual void SetBooleanStringFalseValues(const std::string& Value);
  virtual void SetEnumerationAsString(bool Value) { FEnumerationAsString = Value; }
  virtual void SetTypedIntegerAsString(bool Value) { FTypedIntegerAsString = Value; }
  virtual void SetSetAsString(bool Value) { FSetAsString = Value; }
  virtual void SetDateTimeAsString(bool Value) { FDateTimeAsString = Value; }
  virtual void SetFloatAsString(bool Value) { FFloatAsString = Value; }
  virtual void SetDefaultIfReadConvertError(bool Value) { FDefaultIfReadConvertError = Value; }
  virtual void SetDefaultIfValueNotExists(bool Value) { FDefaultIfValueNotExists = Value; }
  // Whether Value is one of the entries of the comma text List, case ignored.
  virtual bool IsInValueList(const std::string& Value, const std::string& List) const;

  // The first entries of the value lists, trimmed ("TRUE" and "FALSE" by default).
  std::string FirstTrueString() const;
  std::string FirstFalseString() const;
  bool IsTrueString(const std::string& Value) const { return IsInValueList(Value, FBooleanStringTrueValues); }
  bool IsFalseString(const std::string& Value) const { return IsInValueList(Value, FBooleanStringFalseValues); }

  // Copies the ten values of another options object.
  void Assign(TPersistent* Source) override;

private:
  bool FBooleanAsString;
  std::string FBooleanStringTrueValues;
  std::string FBooleanStringFalseValues;
  bool FEnumerationAsString;
  bool FTypedIntegerAsString;
  bool FSetAsString;
  bool FDateTimeAsString;
  bool FFloatAsString;
  bool FDefaultIfReadConvertError;
  bool FDefaultIfValueNotExists;
};

// The options class that stores create: it publishes all ten values.
class TUtAppStorageOptions : public TUtCustomAppStorageOptions {};
