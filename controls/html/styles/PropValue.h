// TPropValue: the value of one style property, as the style code keeps it:
// empty (never set), a string (as written in CSS or an attribute), an integer
// (colours, parsed keywords, pixels, sentinels) or a double (a font size in
// points once computed).
#pragma once

#include <memory>
#include <string>
#include <variant>

class TPropValue {
public:
  TPropValue() = default;
  TPropValue(int Value) : FValue(Value) {}
  TPropValue(double Value) : FValue(Value) {}
  TPropValue(std::string Value) : FValue(std::make_shared<const std::string>(std::move(Value))) {}
  TPropValue(const char* Value) : TPropValue(std::string(Value)) {}

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(FValue); }
  bool IsString() const { return std::holds_alternative<TText>(FValue); }
  bool IsInteger() const { return std::holds_alternative<int>(FValue); }
  bool IsDouble() const { return std::holds_alternative<double>(FValue); }
  bool IsNumber() const { return IsInteger() || IsDouble(); }

  void Clear() { FValue.emplace<std::monostate>(); }
  void SetInteger(int Value) { FValue.emplace<int>(Value); }

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

  friend bool operator==(const TPropValue& A, const TPropValue& B);

private:
  // Every element copies the values it inherits: a text is shared between
  // the copies rather than copied, and never changed once made.
  using TText = std::shared_ptr<const std::string>;
  std::variant<std::monostate, int, double, TText> FValue;
};

// The integer sentinels of the box properties: a value not set, the keyword
// auto, and the default paragraph margin (14 pixels when converted).
inline constexpr int IntNull = -12345678;
inline constexpr int Auto = -12348765;
inline constexpr int AutoParagraph = -12348766;
