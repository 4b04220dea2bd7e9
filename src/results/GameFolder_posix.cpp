// Without a registry the game's folder is always the default one.
#include "results/GameFolder.h"
#include "results/TacticBook.h"
#include "support/Str.h"

char* FindGameFolder()
{
    return Str_Dup(kDefaultGameFolder);
}

char PathSeparator()
{
    return '/';
}
