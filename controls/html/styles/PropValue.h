// TPropValue: the value of one style property, as the style code keeps it:
// empty (never set), a string (as written in CSS or an attribute), an integer
// (colours, parsed keywords, pixels, sentinels) or a double (a font size in
// points once computed).
#pragma once

#include <memory>
#include <string>

class TPropValue {
public:
  TPropValue() = default;
  TPropValue(int Value) : FKind(TKind::Integer), FInteger(Value) {}
  TPropValue(double Value) : FKind(TKind::Double), FDouble(Value) {}
  TPropValue(std::string Value) : FKind(TKind::Text), FText(std::make_shared<const std::string>(std::move(Value))) {}
  TPropValue(const char* Value) : TPropValue(std::string(Value)) {}

  TPropValue(const TPropValue&) = default;
  // Every element copies the values of its parent, which it mostly holds
  // already: the shared text is only taken when it is another one.
  TPropValue& operator=(const TPropValue& Other)
  {
    FKind = Other.FKind;
    FInteger = Other.FInteger;
    FDouble = Other.FDouble;
    if (FText != Other.FText)
      FText = Other.FText;
    return *this;
  }

  bool IsEmpty() const { return FKind == TKind::Empty; }
  bool IsString() const { return FKind == TKind::Text; }
  bool IsInteger() const { return FKind == TKind::Integer; }
  bool IsDouble() const { return FKind == TKind::Double; }
  bool IsNumber() const { return IsInteger() || IsDouble(); }

  void Clear() { Set(TKind::Empty, 0, 0); }
  void SetInteger(int Value) { Set(TKind::Integer, Value, 0); }

  // The string, or empty for any other kind.
  const std::string& AsString() const;
  // The integer; a double is rounded half to even; 0 for the other kinds.
  int AsInteger() const;
  // The number; 0 for the other kinds.
  double AsDouble() const;

  // How a journal or a test shows the value: "" for empty, the text in quotes,
  // the number as written.
  std::string Dump() const;

  std::size_t Hash() const;

  // Inline: interning box values and finding a remembered font compare
  // dozens of values per element, nearly all of them equal numbers or the
  // same shared text.
  friend bool operator==(const TPropValue& A, const TPropValue& B)
  {
    if (A.FKind != B.FKind)
      return false;
    switch (A.FKind) {
    case TKind::Text: return A.FText == B.FText || *A.FText == *B.FText;
    case TKind::Integer: return A.FInteger == B.FInteger;
    case TKind::Double: return A.FDouble == B.FDouble;
    case TKind::Empty: break;
    }
    return true;
  }

private:
  // The kinds in the order their hash counts them.
  enum class TKind : unsigned char { Empty, Integer, Double, Text };

  void Set(TKind Kind, int Integer, double Double)
  {
    FKind = Kind;
    FInteger = Integer;
    FDouble = Double;
    if (FText)
      FText.reset();
  }

  // Only the field of the kind counts; the others stay zero, so that a copy
  // is a plain copy of all of them. A text is shared between the copies
  // rather than copied, and never changed once made.
  TKind FKind = TKind::Empty;
  int FInteger = 0;
  double FDouble = 0;
  std::shared_ptr<const std::string> FText;
};

// The integer sentinels of the box properties: a value not set, the keyword
// auto, and the default paragraph margin (14 pixels when converted).
inline constexpr int IntNull = -12345678;
inline constexpr int Auto = -12348765;
inline constexpr int AutoParagraph = -12348766;

// A box value given as a number of pixels, not one of the sentinels.
inline constexpr bool IsGivenValue(int V) { return V != IntNull && V != Auto && V != AutoParagraph; }
// Box values that the style left unset count as 0 in the arithmetic.
inline constexpr int ValueOrZero(int V) { return IsGivenValue(V) ? V : 0; }
