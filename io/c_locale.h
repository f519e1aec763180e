// Numbers in surface files and header exports always use '.' as the decimal
// point, whatever locale the toolkit or the user has set.
#pragma once

#include <locale.h>

// The "C" locale, created once.
locale_t cLocale();
