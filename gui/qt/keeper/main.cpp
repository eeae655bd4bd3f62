// trova-clipkeeper: keeps a program's clipboard picture pasteable after the program ends.
//
// Started by the program (QtClipboard::keep) while it still owns the X CLIPBOARD selection, with
// its standard output a pipe. It copies the owner's image/png and image/bmp forms, takes the
// selection, writes "ready" and closes the pipe, so the program may end. From then on it serves
// both forms (INCR transfers for pictures larger than one request) and TARGETS and TIMESTAMP,
// until another client takes the clipboard; then it exits. Exit status 1 when it could not
// copy the picture or take the selection.
#include "gui/qt/keeper/X11ClipKeeper.h"

#include <cstdio>
#include <unistd.h>

int main()
{
    X11ClipKeeper keeper;
    if (!keeper.open() || !keeper.copyFromOwner() || !keeper.takeSelection())
        return 1;
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    std::fclose(stdout);
    return keeper.serve() ? 0 : 1;
}
