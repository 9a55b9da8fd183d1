// Cells of image grids and the tallest text of a font.
#pragma once

class TBitmap;
class TCanvas;
class TGraphic;

// Copies cell Index of a grid of Columns x Rows cells (counted row by row)
// into Dest, which takes the cell's size. Columns and Rows below 1 count as 1,
// a negative Index as 0. A bitmap source passes its transparent colour on;
// any other graphic is drawn over clSilver. Dest's Transparent follows the
// source's. Nothing happens when either is null.
void CopyBitmapCell(TGraphic* Source, TBitmap* Dest, int Columns, int Rows, int Index);

// The canvas's text height of a text holding every character from 1 to 255.
int TallestTextHeight(TCanvas* Canvas);
