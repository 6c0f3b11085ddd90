#include "ui/app_context.h"

#include "plans/plan_editor.h"
#include "program/optics_editor.h"

void AppContext::rebuild_after_replacement()
{
    if (plans)
        plans->refresh_plan_view();
    if (optics) {
        optics->refresh();
        optics->run_rules();
    }
}
