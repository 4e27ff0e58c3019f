#include "app/subsystems.h"

#include "app/frm_main.h"
#include "reading/navigation.h"

void installSubsystems(frmMain& main)
{
    (new Navigation(main))->install();
    main.refreshCommandStates();
}
