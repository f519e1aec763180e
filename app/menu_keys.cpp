#include "app/menu_keys.h"

#include <wx/menuitem.h>
#include <wx/string.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace {
#ifdef __WXGTK__
GtkAccelLabel* accelLabel(wxMenuItem* item)
{
    GtkWidget* widget = item->GetMenuItem();
    GtkWidget* child = widget && GTK_IS_BIN(widget) ? gtk_bin_get_child(GTK_BIN(widget)) : nullptr;
    return child && GTK_IS_ACCEL_LABEL(child) ? GTK_ACCEL_LABEL(child) : nullptr;
}
#endif
}  // namespace

void showUnboundKey(wxMenuItem* item)
{
#ifdef __WXGTK__
    const wxString label = item->GetItemLabel();
    const wxString key = label.AfterFirst('\t').Upper();
    GtkAccelLabel* shown = accelLabel(item);
    if (!shown)
        return;
    if (key == "TAB")
        gtk_accel_label_set_accel(shown, GDK_KEY_Tab, GdkModifierType(0));
    else if (key == "SHIFT-TAB")
        gtk_accel_label_set_accel(shown, GDK_KEY_Tab, GDK_SHIFT_MASK);
#else
    (void)item;
#endif
}

wxString keyShownBeside(wxMenuItem* item)
{
#ifdef __WXGTK__
    GtkAccelLabel* shown = accelLabel(item);
    if (!shown)
        return wxString();
    gtk_accel_label_refetch(shown);
    guint key = 0;
    GdkModifierType mods = GdkModifierType(0);
    gtk_accel_label_get_accel(shown, &key, &mods);
    if (key == 0)
        return wxString();
    gchar* text = gtk_accelerator_get_label(key, mods);
    const wxString result = wxString::FromUTF8(text);
    g_free(text);
    return result;
#else
    (void)item;
    return wxString();
#endif
}
