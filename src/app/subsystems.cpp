#include "app/subsystems.h"

#include "app/frm_main.h"
#include "numbers/number_analysis.h"
#include "reading/navigation.h"
#include "search/search_ui.h"

void installSubsystems(frmMain& main)
{
    // The window owns them and destroys them, last first, before its widgets.
    auto* navigation = new Navigation(main);
    main.adoptSubsystem(navigation);
    navigation->install();
    auto* numbers = new NumberAnalysis(main);
    main.adoptSubsystem(numbers);
    numbers->install();
    auto* search = new SearchUi(main, *navigation);
    main.adoptSubsystem(search);
    search->install();
    main.refreshCommandStates();
    main.followSettingsControls();
}
