// The classes of the HTML viewer's front end, declared for headers that only
// point at them.
#pragma once

class AllocRec;
class TAttribute;
class TAttributeList;
class TCharCollection;
class TChPosObj;
class TCssSink;
class TDocumentSink;
class TFixedFontService;
class TFontInfoArray;
class TFreeList;
class THtmlFontService;
class THtmlParser;
class THtmlReader;
class ThtFontInfo;
class TIDNameList;
class TIDObject;
class TMyFont;
class TPositionLookup;
class TPropStack;
class TPropValue;
class TProperties;
class TRasterFontService;
class TStyleList;
class TUrlTarget;
class TokenObj;
