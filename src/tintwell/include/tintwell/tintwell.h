#ifndef TINTWELL_TINTWELL_H
#define TINTWELL_TINTWELL_H

/* Tintwell for programs that are not written in C++.
   Colours are RGB colours packed as red + green * 256 + blue * 65536. */

#include "tintwell/export.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Shows the modal "Select Color" dialog and returns the colour picked, or -1
   when the user cancelled or no dialog could be shown (no display, or the
   program runs a Qt application that has no widgets). title (UTF-8) may be
   NULL or empty for the default caption; a negative defaultColor means none.
   Call it from the program's main thread. When the program has no Qt
   application, one is created for the call and ended after it. */
TINTWELL_EXPORT int tintwell_show_color(const char* title, int defaultColor);

/* Packed HSB colour (hue * 65536 + saturation * 256 + brightness) of an RGB
   colour, and back. */
TINTWELL_EXPORT int tintwell_rgb_to_hsb(int rgb);
TINTWELL_EXPORT int tintwell_hsb_to_rgb(int hsb);

#ifdef __cplusplus
}
#endif

#endif
