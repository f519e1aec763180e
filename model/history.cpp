#include "model/history.h"

#include <algorithm>

#include <wx/listimpl.cpp>
WX_DEFINE_LIST(MyList);

MyList undoList;
MyList::compatibility_iterator currentState;
size_t g_history_bytes = 0;
size_t g_history_limit = HISTORY_LIMIT;
bool g_history_trimmed = false;

State::~State()
{
    delete[] vertices;
    delete[] targetLengths;
    delete[] edges;
    delete[] faces;
}

namespace {
size_t bytesOf(const State* s)
{
    return sizeof(State) + 4 * sizeof(void*) +  // the record, its list node
           s->numVertices * sizeof(Point3) + s->numEdges * (sizeof(double) + 2 * sizeof(int)) +
           s->numFaces * 3 * sizeof(int);
}

// Takes a snapshot out of the list and frees it.
void drop(MyList::compatibility_iterator node)
{
    g_history_bytes -= std::min(g_history_bytes, bytesOf(node->GetData()));
    delete node->GetData();
    undoList.Erase(node);
}

// Drops the oldest snapshots, never the current one or any after it, until
// the history fits its limit; the first time, the status line says so.
void keepWithinLimit()
{
    bool dropped = false;
    while (g_history_bytes > g_history_limit && undoList.GetFirst() && undoList.GetFirst() != currentState) {
        drop(undoList.GetFirst());
        dropped = true;
    }
    if (dropped && !g_history_trimmed) {
        g_history_trimmed = true;
        messagetxt = wxString::Format("The oldest undo steps were dropped to keep the history within %d MB",
                                      static_cast<int>(g_history_limit >> 20));
    }
}

State* snapshot()
{
    State* s = new State;
    s->numVertices = NOV;
    s->numEdges = NOE;
    s->numFaces = NOS;
    s->vertices = new Point3[NOV];
    s->targetLengths = new double[NOE];
    s->edges = new int[NOE][2];
    s->faces = new int[NOS][3];
    std::copy(v, v + NOV, s->vertices);
    std::copy(phi, phi + NOE, s->targetLengths);
    std::copy(&edge[0][0], &edge[0][0] + 2 * NOE, &s->edges[0][0]);
    std::copy(&face[0][0], &face[0][0] + 3 * NOS, &s->faces[0][0]);
    s->level = subdiv_level;
    g_history_bytes += bytesOf(s);
    return s;
}
}  // namespace

void saveState()
{
    State* s = snapshot();
    // Discard the redo branch, newest first.
    if (currentState) {
        while (undoList.GetLast() != currentState)
            drop(undoList.GetLast());
    }
    undoList.Append(s);
    currentState = undoList.GetLast();
    keepWithinLimit();
}

// Writes snapshot `s` back into the fixed-capacity tables.
static void restore(const State* s)
{
    NOV = s->numVertices;
    NOE = s->numEdges;
    NOS = s->numFaces;
    std::copy(s->vertices, s->vertices + NOV, v);
    std::copy(&s->edges[0][0], &s->edges[0][0] + 2 * NOE, &edge[0][0]);
    std::copy(s->targetLengths, s->targetLengths + NOE, phi);
    std::copy(&s->faces[0][0], &s->faces[0][0] + 3 * NOS, &face[0][0]);
    // The restored faces may meet the vertices differently: recount them at the next repaint.
    NOfaceOfVertex_on = false;
}

void undo()
{
    if (!currentState || !currentState->GetPrevious())
        return;
    // At the newest position the present surface becomes the newest entry, so
    // that redo can come back to it.
    MyList::compatibility_iterator next = currentState->GetNext();
    if (!next || (next->GetData()->undone && !next->GetNext())) {
        if (next)
            drop(next);
        State* present = snapshot();
        present->undone = true;
        undoList.Append(present);
        keepWithinLimit();
    }
    const State* s = currentState->GetData();
    restore(s);
    currentState = currentState->GetPrevious();
    subdiv_level = s->level;
}

void redo()
{
    // Whenever something was undone, the newest entry is the surface as the
    // first of those undos found it; the position never reaches that entry.
    if (!currentState || !currentState->GetNext() || !currentState->GetNext()->GetNext())
        return;
    currentState = currentState->GetNext();
    const State* s = currentState->GetNext()->GetData();
    restore(s);
    subdiv_level = s->level;
}

int historyLength()
{
    return static_cast<int>(undoList.GetCount());
}

int historyPosition()
{
    if (!currentState)
        return -1;
    return undoList.IndexOf(currentState->GetData());
}

void clearHistory()
{
    for (MyList::compatibility_iterator n = undoList.GetFirst(); n; n = n->GetNext())
        delete n->GetData();
    undoList.Clear();
    currentState = MyList::compatibility_iterator();
    g_history_bytes = 0;
}
