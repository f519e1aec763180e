#include "construct/edit_commands.h"

#include "construct/add_cell.h"
#include "construct/copy_remove.h"
#include "construct/glue.h"
#include "construct/subdivision.h"
#include "geometry/relaxation.h"
#include "geometry/rigid_motion.h"
#include "model/components.h"
#include "model/history.h"
#include "model/store.h"
#include "model/topology.h"

bool addCellCommand()
{
    if (subdiv_level != 1)
        return false;
    const int before = NOV;
    addnewpolygon();
    return NOV != before;
}

bool pasteCommand(int a, int b)
{
    if (!isPasteVertices(a, b))
        return false;
    saveState();
    pasteVertices(a, b);
    modify();
    return true;
}

const char* const NOTHING_TO_PASTE =
    "Nothing to paste: no boundary vertex lies in six faces in one open fan";
const char* const NO_VERTEX_PICKED = "No vertex is picked: point at a vertex first";
const char* const KAGO_NEEDS_SUBDIVISION = "Kago like removes the centres of a subdivided surface: subdivide first";
const char* const ALREADY_SUBDIVIDED = "The surface is subdivided already: Undo first to subdivide it otherwise";

int pasteAllCommand()
{
    saveState();
    const int before = NOV;
    pasteAllpastableEdges();
    modify();
    return before - NOV;
}

bool addCopyCommand(bool mirror)
{
    const bool made = addcopy(mirror);
    offsetpolygon();
    return made;
}

bool removeCommand()
{
    const int p = pickedVertex();
    if (p < 0)
        return false;
    saveState();
    remove(p);
    fill_conn_comp();
    fill_center_conn_comp();
    NOfaceOfVertex_on = false;
    g_purtj = -1;
    return true;
}

bool subdivideCommand(int n)
{
    saveState();
    if (subdiv_level != 1)
        return false;
    const bool done = subdiv(n);
    fill_conn_comp();
    return done;
}

bool kagoCommand()
{
    saveState();
    if (subdiv_level <= 1)
        return false;
    kago();
    modify();
    return true;
}
