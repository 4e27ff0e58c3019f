#pragma once

#include <QObject>

#include <string>

class FrameGV;
class FrameNumDiv;
class Shell;

// The number-analysis subsystem of the main window: the number-division
// panel and the gematrical-value panel, which hands its digits to it.
class NumberAnalysis : public QObject {
    Q_OBJECT
public:
    explicit NumberAnalysis(Shell& main);

    // Installs both panels and registers their commands.
    void install();

    FrameNumDiv* division() const { return division_; }
    FrameGV* gv() const { return gv_; }

private:
    // A calculation's digits go through the scratch pane into the number
    // box of the division panel, which opens.
    void handOver(const std::string& digits);

    Shell& main_;
    FrameNumDiv* division_ = nullptr;
    FrameGV* gv_ = nullptr;
};
