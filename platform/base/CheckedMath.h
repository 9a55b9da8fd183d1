// Integer arithmetic with the checks the system's code was built with:
// overflow raises EIntOverflow, a value outside its target type or subrange
// raises ERangeError, a zero divisor raises EDivByZero.
#pragma once

#include <concepts>
#include <utility>

[[noreturn]] void RaiseIntOverflow();
[[noreturn]] void RaiseRangeError();
[[noreturn]] void RaiseDivByZero();

template <std::integral T>
T CheckedAdd(T a, T b)
{
  T r;
  if (__builtin_add_overflow(a, b, &r))
    RaiseIntOverflow();
  return r;
}

template <std::integral T>
T CheckedSub(T a, T b)
{
  T r;
  if (__builtin_sub_overflow(a, b, &r))
    RaiseIntOverflow();
  return r;
}

template <std::integral T>
T CheckedMul(T a, T b)
{
  T r;
  if (__builtin_mul_overflow(a, b, &r))
    RaiseIntOverflow();
  return r;
}

template <std::integral T>
T CheckedNeg(T a)
{
  return CheckedSub(T(0), a);
}

// Integer division truncating toward zero, as div does.
template <std::integral T>
T CheckedDiv(T a, T b)
{
  if (b == 0)
    RaiseDivByZero();
  if constexpr (std::is_signed_v<T>)
    if (b == T(-1))
      return CheckedNeg(a);
  return T(a / b);
}

template <std::integral T>
T CheckedMod(T a, T b)
{
  if (b == 0)
    RaiseDivByZero();
  if constexpr (std::is_signed_v<T>)
    if (b == T(-1))
      return T(0);
  return T(a % b);
}

// The value in the target type, or ERangeError when it does not fit.
template <std::integral To, std::integral From>
To RangeCheck(From value)
{
  if (!std::in_range<To>(value))
    RaiseRangeError();
  return To(value);
}

// The value when it lies in Low..High (an index or a subrange), or ERangeError.
template <std::integral T>
T RangeCheck(T value, T Low, T High)
{
  if (value < Low || value > High)
    RaiseRangeError();
  return value;
}
