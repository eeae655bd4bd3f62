// Test program: builds strings with the string helpers and the temporary stack, prints them,
// then raises a runtime error. The process must print its lines on standard output, show
// "TITLE: message" on standard error and exit with 0.
#include "trova.h"

KX_CSTR(answerLabel, "Answer: ");
KX_CSTR(fatal, "Fatal: ");
KX_CSTR(steady, "objects steady");
KX_CSTR(leaking, "objects leak");
KX_CSTR(empty, "");
KX_CSTRS(&answerLabel, &fatal, &steady, &leaking, &empty);

KX_DATA(kx_dint(42), kx_dstr("from data"));

KX_LIBS();

KX_MAIN()
{
    {
        kx_temps t;
        int answer = kxReadInt();
        Print(t.made(kxStrConcat(answerLabel, t.made(kxStrFromInt(answer)))));
    }
    {
        kx_temps t;
        Print(t.made(kxReadStr()));
    }
    {
        kx_temps t;
        kx_str line = t(CommandLine());
        Print(line);
        Write(line);
        Print(t(SystemProperty(line)));
    }
    // Statements that make temporaries leave no live strings behind once they end.
    int before = ActiveObjects();
    for (int i = 0; i < 3000; ++i) {
        kx_temps t;
        kx_str s = t.made(kxStrConcat(t.made(kxStrFromInt(i)), empty));
        if (kxStrCompare(s, empty) <= 0)
            RuntimeError(s);
    }
    Print(ActiveObjects() == before ? steady : leaking);
    kx_temps t;
    RuntimeError(t.made(kxStrConcat(fatal, t(CommandLine()))));
}
