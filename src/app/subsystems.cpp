#include "app/subsystems.h"

#include "app/frm_main.h"
#include "export/export_ui.h"
#include "lookup/lookup_ui.h"
#include "numbers/number_analysis.h"
#include "reading/companions.h"
#include "reading/navigation.h"
#include "search/search_ui.h"
#include "shell/install.h"
#include "speech/speech.h"
#include "topics/topics_ui.h"

void installSubsystems(frmMain& main)
{
    Navigation& navigation = installSubsystem<Navigation>(main);
    installSubsystem<CompanionTexts>(main, navigation);
    ExportUi& exportUi = installSubsystem<ExportUi>(main);
    installSubsystem<LookupUi>(main, exportUi);
    installSubsystem<NumberAnalysis>(main);
    SearchUi& search = installSubsystem<SearchUi>(main, navigation);
    installSubsystem<TopicsUi>(main, navigation, &search);
    installSubsystem<Speech>(main);
    main.refreshCommandStates();
    main.followSettingsControls();
}
