#include "geometry/sway_commands.h"

#include "geometry/relaxation.h"
#include "geometry/rigid_motion.h"
#include "geometry/smoothing.h"
#include "model/store.h"

void smoothenCommand()
{
    for (int k = 0; k < 5; ++k)
        smoothen();
    modify();
    offsetpolygon();
}

void swayCommand()
{
    g_buru = 3;
}

void swayTick()
{
    spread();
    if (!g_buruloop)
        --g_buru;
}

bool modifyOffCommand()
{
    modify_off = !modify_off;
    modify();
    return modify_off;
}
