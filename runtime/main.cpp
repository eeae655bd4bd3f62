// The executable's entry: hands over to the runtime.
#include "runtime/KXProgram.h"

int main(int argc, char** argv) { kxWinMain(argc, argv); }
