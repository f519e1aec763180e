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

const char* const NOTHING_TO_PASTE =
    "Nothing to paste: no boundary vertex lies in six faces in one open fan";
const char* const NO_VERTEX_PICKED = "No vertex is picked: point at a vertex first";
const char* const KAGO_NEEDS_SUBDIVISION = "Kago like removes the centres of a subdivided surface: subdivide first";
const char* const ALREADY_SUBDIVIDED = "The surface is subdivided already: Undo first to subdivide it otherwise";

std::string addCellCommand()
{
    if (subdiv_level != 1)
        return CELLS_NEED_LEVEL_ONE;
    const std::string refusal = addCellRefusal(g_purtj);
    if (!refusal.empty())
        return refusal;
    saveState();
    addnewpolygon();
    return std::string();
}

std::string pasteCommand(int a, int b)
{
    if (a != b && a >= 0 && b >= 0 && a < NOV && b < NOV && subdiv_level <= 1 && conn_comp[a] != conn_comp[b])
        fill_conn_comp();
    const std::string refusal = pasteRefusal(a, b);
    if (!refusal.empty())
        return refusal;
    saveState();
    pasteVertices(a, b);
    modify();
    return std::string();
}

int pasteAllCommand()
{
    saveState();
    const int before = NOV;
    pasteAllpastableEdges();
    modify();
    return before - NOV;
}

std::string addCopyCommand(bool mirror)
{
    const std::string refusal = copyRefusal();
    if (refusal.empty()) {
        saveState();
        addcopy(mirror);
    }
    offsetpolygon();
    return refusal;
}

std::string removeCommand()
{
    const int p = pickedVertex();
    if (p < 0)
        return NO_VERTEX_PICKED;
    saveState();
    remove(p);
    fill_conn_comp();
    fill_center_conn_comp();
    NOfaceOfVertex_on = false;
    g_purtj = -1;
    return std::string();
}

std::string subdivideCommand(int n)
{
    saveState();
    if (subdiv_level != 1)
        return ALREADY_SUBDIVIDED;
    const bool done = subdiv(n);
    fill_conn_comp();
    return done ? std::string() : subdivisionRefusal(n);
}

std::string kagoCommand()
{
    saveState();
    if (subdiv_level <= 1)
        return KAGO_NEEDS_SUBDIVISION;
    kago();
    modify();
    return std::string();
}
