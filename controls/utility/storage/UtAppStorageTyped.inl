// The typed enumeration and set access of TUtCustomAppStorage.
#pragma once

#include "controls/utility/UtConsts.h"
#include "controls/utility/UtExceptions.h"

template <class E>
E TUtCustomAppStorage::ReadEnum(const std::string& Path, E Default)
{
  PTypeInfo type = ::TypeInfo<E>();
  if (OrdTypeSize(type->Data.OrdType) != int(sizeof(E)))
    throw EAppStorageError(SInvalidType);
  std::string target;
  TUtCustomAppStorage* store = nullptr;
  ResolveStoragePath(Path, target, store);
  E value = Default;
  store->ReadEnumerationValue(target, type, &Default, &value);
  return value;
}

template <class E>
void TUtCustomAppStorage::WriteEnum(const std::string& Path, E Value)
{
  PTypeInfo type = ::TypeInfo<E>();
  if (OrdTypeSize(type->Data.OrdType) != int(sizeof(E)))
    throw EAppStorageError(SInvalidType);
  std::string target;
  TUtCustomAppStorage* store = nullptr;
  ResolveStoragePath(Path, target, store);
  store->WriteEnumerationValue(target, type, &Value);
}

template <class E>
Set<E> TUtCustomAppStorage::ReadSet(const std::string& Path, const Set<E>& Default)
{
  PTypeInfo type = ::TypeInfo<Set<E>>();
  if (SetTypeSize(type) != Set<E>::Size)
    throw EAppStorageError(SInvalidType);
  std::string target;
  TUtCustomAppStorage* store = nullptr;
  ResolveStoragePath(Path, target, store);
  Set<E> value = Default;
  store->ReadSetValue(target, type, Default.Bytes(), value.Bytes());
  return value;
}

template <class E>
void TUtCustomAppStorage::WriteSet(const std::string& Path, const Set<E>& Value)
{
  PTypeInfo type = ::TypeInfo<Set<E>>();
  if (SetTypeSize(type) != Set<E>::Size)
    throw EAppStorageError(SInvalidType);
  std::string target;
  TUtCustomAppStorage* store = nullptr;
  ResolveStoragePath(Path, target, store);
  store->WriteSetValue(target, type, Value.Bytes());
}
