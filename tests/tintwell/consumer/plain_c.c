/* The C entry points, from C. */
#include <tintwell/tintwell.h>

#include <stdio.h>

void print_from_c(void)
{
    printf("c: %d %d\n", tintwell_rgb_to_hsb(255), tintwell_hsb_to_rgb(25700));
}
