#include "app/accelerator_fallback.h"

int fallbackCommandForKey(int, int, unsigned int, int)
{
    return 0;
}
