// Printing: a printer device context and its document. The layer has one
// printer, "Corvane PDF", which prints into a PDF file: each page is drawn
// at the printer's resolution (150 pixels per inch, A4 paper without
// unprintable margins) like any memory DC, and becomes one PDF page when it
// ends. GetDeviceCaps answers the page's size and resolution.
#pragma once

#include "platform/win/gdi/GdiTypes.h"

inline constexpr const char* DefaultPrinterName = "Corvane PDF";

// GetDeviceCaps of printers: the paper's size and the printable area's offset.
constexpr int PHYSICALWIDTH = 110, PHYSICALHEIGHT = 111, PHYSICALOFFSETX = 112, PHYSICALOFFSETY = 113;
constexpr int DT_RASPRINTER = 2;

struct DOCINFO {
  int cbSize = sizeof(DOCINFO);
  LPCSTR lpszDocName = nullptr;  // the title; also the default file name
  LPCSTR lpszOutput = nullptr;   // the PDF file to write; null: "<title>.pdf" in the home folder
  LPCSTR lpszDatatype = nullptr;
  DWORD fwType = 0;
};

constexpr int SP_ERROR = -1;

// A printer DC: driver "WINSPOOL" (or null) and the printer's name (null or
// empty for the default printer). Null, with the last error set, for a
// printer that does not exist. Freed with DeleteDC (an open document is
// abandoned then, its file removed).
HDC CreateDC(LPCSTR driver, LPCSTR device, LPCSTR port, const void* devMode);
// Opens the document's file; a positive job number, or SP_ERROR when the
// file cannot be made or a document is already open.
int StartDoc(HDC dc, const DOCINFO* info);
// A new blank (white) page; drawing before it or after EndPage goes nowhere.
int StartPage(HDC dc);
// The page goes into the file.
int EndPage(HDC dc);
// Closes the file; SP_ERROR when it could not be written whole.
int EndDoc(HDC dc);
// Abandons the document and removes its file.
int AbortDoc(HDC dc);
