#include "numbers/number_analysis.h"

#include "shell/commands.h"
#include "shell/main_state.h"
#include "shell/shell.h"
#include "numbers/frame_gv.h"
#include "numbers/frame_num_div.h"
#include "reading/reading_view.h"

NumberAnalysis::NumberAnalysis(Shell& main) : QObject(&main.window()), main_(main) {}

void NumberAnalysis::install()
{
    division_ = new FrameNumDiv(main_);
    gv_ = new FrameGV(main_, [this](const std::string& digits) { handOver(digits); });
    main_.installPanel(division_);
    main_.installPanel(gv_);
    division_->install();
    gv_->install();
}

void NumberAnalysis::handOver(const std::string& digits)
{
    richtext::RichTextDocument& scratch = main_.reading().fordata();
    scratch.setText(digits);
    main_.runCommand(cmd::mnuDiv_Click);
    division_->rtfNum()->model().setText(scratch.text());
}
