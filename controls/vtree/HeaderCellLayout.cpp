// The placement of a header cell's caption, glyph and sort glyph. Divisions
// by 2 round toward zero, as integer division does.
#include "controls/vtree/HeaderCellLayout.h"

#include <algorithm>

THeaderCellLayout LayoutHeaderCell(const THeaderCellInput& In)
{
  THeaderCellLayout out;
  bool caption = In.TextWidth > 0 || In.TextHeight > 0;
  bool glyph = In.GlyphWidth > 0 || In.GlyphHeight > 0;
  bool sort = In.SortWidth > 0 || In.SortHeight > 0;
  if (!caption && !glyph && !sort)
    return out;
  out.Computed = true;

  const int W = In.Rect.Width(), H = In.Rect.Height();
  const int gw = In.GlyphWidth, gh = In.GlyphHeight, sw = In.SortWidth, sh = In.SortHeight;
  const int tw = caption ? In.TextWidth + 2 : 0, th = caption ? In.TextHeight : 0;
  const int sp = caption ? In.Spacing : 0, spacing = In.Spacing;
  const bool rtl = In.RightToLeft;
  const bool side = In.Layout == blGlyphLeft || In.Layout == blGlyphRight;
  TAlignment alignment = In.Alignment;
  if (rtl && alignment != taCenter)
    alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;

  int glyphX = 0, glyphY = 0, textX = 0, textY = 0, sortX = 0;
  const int sortY = (H - sh) / 2;

  if (sort && !glyph && !caption) {
    sortX = (W - sw) / 2;
  } else {
    if (side || !glyph) {
      glyphY = (H - gh) / 2;
      textY = (H - th) / 2;
    } else {
      int a = (H - gh - th - sp) / 2;
      if (In.Layout == blGlyphTop) {
        glyphY = a;
        textY = a + gh + sp;
      } else {
        textY = a;
        glyphY = a + th + sp;
      }
    }

    if (alignment == taLeftJustify) {
      int m = In.Margin;
      if (rtl && sort) {
        sortX = m;
        m += sw + spacing;
      }
      if (side) {
        if (In.Layout == blGlyphLeft && glyph) {
          glyphX = m;
          m += gw + spacing;
        }
        textX = m;
        m += sp + tw;
        if (In.Layout == blGlyphRight && glyph) {
          glyphX = m;
          m += gw + spacing;
        }
      } else {
        textX = m;
        if (!glyph) {
          m += tw + sp;
        } else {
          glyphX = std::max((W - gw) / 2, m);
          m = std::max(textX + tw + sp, glyphX + gw + spacing);
        }
      }
      if (!rtl && sort)
        sortX = m;
    } else if (alignment == taCenter) {
      if (side) {
        int b = (W - gw - sp - tw) / 2;
        if (In.Layout == blGlyphLeft && glyph) {
          glyphX = b;
          b += sp + gw;
        }
        textX = b;
        if (In.Layout == blGlyphRight && glyph)
          glyphX = b + sp + tw;
      } else {
        int shift = sort ? sw / 2 : 0;
        glyphX = (W - gw) / 2 - shift;
        textX = (W - tw) / 2 - shift;
      }
      int lo = textX, hi = textX + tw;
      if (glyph) {
        lo = std::min(glyphX, textX);
        hi = std::max(glyphX + gw, textX + tw);
      }
      sortX = rtl ? lo - spacing - sw : hi + spacing;
    } else {
      int r = W - In.Margin;
      if (!rtl && sort) {
        sortX = r - sw;
        r = sortX - spacing;
      }
      if (side) {
        if (In.Layout == blGlyphRight && glyph) {
          glyphX = r - gw;
          r = glyphX - spacing;
        }
        textX = r - tw;
        r -= tw + sp;
        if (In.Layout == blGlyphLeft && glyph) {
          glyphX = r - gw;
          r = glyphX - spacing;
        }
      } else {
        textX = r - tw;
        if (!glyph) {
          r = textX - sp;
        } else {
          glyphX = (W - gw) / 2;
          if (r < glyphX + gw + spacing)
            glyphX = r - gw - spacing;
          r = std::min(textX - sp, glyphX - spacing);
        }
      }
      if (rtl && sort)
        sortX = r - sw;
    }
  }

  // Keep everything inside the margins: the sort glyph first, then the
  // glyph, and the caption gets what room is left.
  int L = In.Margin, R = W - In.Margin;
  if (sort) {
    if (!rtl) {
      if (sortX + sw > R)
        sortX = R - sw;
      R = sortX - spacing;
    }
    if (sortX < In.Margin)
      sortX = In.Margin;
    if (rtl)
      L = sortX + sw + spacing;
  }
  if (glyph) {
    if (glyphX + gw > R) {
      glyphX = R - gw;
      if (In.Layout == blGlyphRight)
        R = glyphX - spacing;
    }
    if (glyphX < L) {
      glyphX = L;
      if (In.Layout == blGlyphLeft)
        L = glyphX + gw + spacing;
    }
  }
  int left = In.Rect.Left, top = In.Rect.Top;
  out.Caption = TRect(left + std::max(textX, L), top + textY, left + std::min(textX + tw, R), top + textY + th);
  out.Glyph = TPoint(left + glyphX, top + glyphY);
  out.Sort = TPoint(left + sortX, top + sortY);
  return out;
}
