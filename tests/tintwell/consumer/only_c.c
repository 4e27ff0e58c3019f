/* A C program with no Qt of its own. Run without a display, the dialog
   cannot be shown: the call must come back with -1 instead of ending the
   program. */
#include <tintwell/tintwell.h>

#include <stdio.h>

int main(void)
{
    printf("%d\n", tintwell_show_color("From C", 255));
    return 0;
}
