#include "tintwell/tintwell.h"

#include "tintwell/color_converter.h"
#include "tintwell/ctr_tintwell.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

bool displayAvailable()
{
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int tintwell_show_color(const char* title, int defaultColor)
{
    const QString caption = title ? QString::fromUtf8(title) : QString();
    if (QCoreApplication::instance()) {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
            std::fputs("tintwell: the program's Qt application has no widgets; cannot show the colour dialog\n",
                       stderr);
            return -1;
        }
        return tintwell::ctrTintwell().ShowColor(caption, defaultColor);
    }
    // Qt ends the whole program when it cannot reach a display; a caller
    // that is not a Qt program should get -1 instead.
    if (!displayAvailable()) {
        std::fputs("tintwell: no display to show the colour dialog on\n", stderr);
        return -1;
    }
    static int argc = 1;
    static char name[] = "tintwell";
    static char* argv[] = {name, nullptr};
    const auto app = std::make_unique<QApplication>(argc, argv);
    return tintwell::ctrTintwell().ShowColor(caption, defaultColor);
}

extern "C" int tintwell_rgb_to_hsb(int rgb) { return tintwell::ColorConverter::RGBToHSB(rgb); }

extern "C" int tintwell_hsb_to_rgb(int hsb) { return tintwell::ColorConverter::HSBToRGB(hsb); }
