#include "app/subsystems.h"

#include "app/frm_main.h"
#include "numbers/number_analysis.h"
#include "reading/navigation.h"
#include "search/search_ui.h"

void installSubsystems(frmMain& main)
{
    (new Navigation(main))->install();
    (new NumberAnalysis(main))->install();
    (new SearchUi(main))->install();
    main.refreshCommandStates();
}
