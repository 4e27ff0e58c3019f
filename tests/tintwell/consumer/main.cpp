// The C++ interface: the converter and the control, with the dialog answered
// by a timer so that the program ends by itself.
#include <tintwell/color_converter.h>
#include <tintwell/ctr_tintwell.h>
#include <tintwell/picker.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

extern "C" void print_from_c(void);

int main(int argc, char** argv)
{
    print_from_c();
    std::printf("cpp: %s %s\n", tintwell::ColorConverter::RGBAsString(255).c_str(), tintwell::ColorToHex(255).c_str());

    QApplication app(argc, argv);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&poll] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll.stop();
            if (auto* ok = modal->findChild<QPushButton*>("cmdOK"))
                ok->click();
        }
    });
    poll.start(10);
    tintwell::ctrTintwell picker;
    std::printf("show: %d\n", picker.ShowColor("Consumer", 65280));
    return 0;
}
