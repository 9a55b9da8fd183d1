// Forward declarations of the utility library's classes.
#pragma once

class TUtCustomAppStorage;
class TUtCustomAppStorageOptions;
class TUtAppStorageOptions;
class TUtAppSubStorage;
class TUtAppSubStorages;
class TUtMemoryAppStorage;
class TUtFileAppStorage;
class TRtEnumerationTypeInfo;
class TRtSetTypeInfo;
class TRtFloatTypeInfo;
class TRtStringTypeInfo;
class TRtInt64TypeInfo;
class TRtClassTypeInfo;
class TRtPropInfo;
class TRtEventTypeInfo;
class TRtEventParamInfo;
class TRtInterfaceTypeInfo;
class TRtDynArrayTypeInfo;
class TRtTextOutput;
class TUtComponent;
class TBase64Decoder;
struct TRtSystemInfo;
