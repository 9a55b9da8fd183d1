// The classes of the simple XML document.
#pragma once

class TUtSimpleXML;
class TUtSimpleXMLElem;
class TUtSimpleXMLElemClassic;
class TUtSimpleXMLElemComment;
class TUtSimpleXmlElemCData;
class TUtSimpleXMLElemText;
class TUtSimpleXMLElemHeader;
class TUtSimpleXmlElemDocType;
class TUtSimpleXMLElemSheet;
class TUtSimpleXMLElems;
class TUtSimpleXMLElemsProlog;
class TUtSimpleXMLProp;
class TUtSimpleXMLProps;
class TUtSimpleXMLInvalid;
class TXmlVariant;
class TXmlSource;
class TXmlSink;
struct TUtSimpleXMLSaveProgress;
