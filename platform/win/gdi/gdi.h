// The drawing layer: device contexts, objects, primitives, text, bitmaps, icons, image lists.
#pragma once
