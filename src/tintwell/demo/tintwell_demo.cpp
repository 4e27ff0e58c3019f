// tintwell-demo: shows the Tintwell colour dialog and prints the colour
// chosen (red + green * 256 + blue * 65536), or -1 when it was cancelled.

#include "tintwell/ctr_tintwell.h"
#include "tintwell/picker.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void usage(FILE* out)
{
    std::fputs("usage: tintwell-demo [TITLE [COLOR]]\n"
               "  TITLE  caption of the dialog (default \"Select Color\")\n"
               "  COLOR  starting colour, decimal red + green*256 + blue*65536 or #RRGGBB\n"
               "prints the colour chosen with OK, or -1 when cancelled\n",
               out);
}

bool parseColor(const std::string& text, int& color)
{
    if (!text.empty() && text[0] == '#') {
        if (text.size() != 7 || text.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
            return false;
        color = tintwell::HexToColor(text);
        return true;
    }
    const auto n = tintwell::boxNumber(text);
    if (!n || text.find_first_of(".eE") != std::string::npos || *n < -1 || *n > 0xFFFFFF)
        return false;
    color = *n;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            usage(stdout);
            return 0;
        }
    if (argc > 3) {
        usage(stderr);
        return 2;
    }
    int initial = -1;
    if (argc == 3 && !parseColor(argv[2], initial)) {
        std::fprintf(stderr, "tintwell-demo: '%s' is not a colour (0 to 16777215, or #RRGGBB)\n", argv[2]);
        return 2;
    }
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
        std::fputs("tintwell-demo: no display to show the dialog on\n", stderr);
        return 1;
    }
    QApplication app(argc, argv);
    tintwell::ctrTintwell picker;
    const int color = picker.ShowColor(argc >= 2 ? QString::fromLocal8Bit(argv[1]) : QString(), initial);
    std::printf("%d\n", color);
    return 0;
}
