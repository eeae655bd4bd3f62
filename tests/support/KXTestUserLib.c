/* A small external library for the library-binding tests. It is built several times under
   different names (KXT_NAME) so that tests can load, miss and unload libraries independently. */
#include <string.h>

#define KXT_EXPORT __attribute__((visibility("default")))
#define KXT_STDCALL __attribute__((stdcall))

static char* s_log;

/* Exported as "_kxtAdd", the way our libraries export a function programs bind as "_kxtAdd@8". */
KXT_EXPORT int KXT_STDCALL kxtAdd(int a, int b) __asm__("_kxtAdd");
int KXT_STDCALL kxtAdd(int a, int b) { return a + b; }

/* The same sum with the callee removing its arguments, and with the caller removing them. */
KXT_EXPORT int KXT_STDCALL kxtStdSum(int a, int b, int c, int d) { return a + 2 * b + 3 * c + 4 * d; }
KXT_EXPORT int kxtCdeclSum(int a, int b, int c, int d) { return a + 2 * b + 3 * c + 4 * d; }

/* Copies the input bank reversed into the output bank; answers both sizes. */
KXT_EXPORT int KXT_STDCALL kxtReverse(const char* in, int inSize, char* out, int outSize)
{
    for (int i = 0; i < inSize && i < outSize; ++i)
        out[i] = in[inSize - 1 - i];
    return inSize * 1000 + outSize;
}

KXT_EXPORT const char* KXT_STDCALL kxtName(void) { return KXT_NAME; }

/* Unloading appends the library's name to the text at log. */
KXT_EXPORT void KXT_STDCALL kxtSetLog(char* log) { s_log = log; }

__attribute__((destructor)) static void unloaded(void)
{
    if (s_log)
        strcat(s_log, KXT_NAME);
}
