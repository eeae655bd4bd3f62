/* Dexolan: reads and toggles the DirectX print-screen switch, the registry value
   HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\DirectDraw\EnablePrintScreen. Stateless between calls;
   links only against kernel32.dll and advapi32.dll (no C library), so it declares the few
   calls it makes itself. */

typedef unsigned int DWORD;
typedef int LONG;
typedef int BOOL;
typedef unsigned int HKEY;
typedef void* HANDLE;

#define WINAPI __attribute__((stdcall))
#define DX_EXPORT __attribute__((visibility("default")))

#define HKEY_LOCAL_MACHINE 0x80000002u
#define KEY_QUERY_VALUE 0x0001u
#define KEY_SET_VALUE 0x0002u
#define REG_DWORD 4u
#define ERROR_SUCCESS 0
#define DLL_PROCESS_DETACH 0u
#define DLL_PROCESS_ATTACH 1u

HANDLE WINAPI HeapCreate(DWORD options, DWORD initialSize, DWORD maximumSize);
BOOL WINAPI HeapDestroy(HANDLE heap);
void* WINAPI HeapAlloc(HANDLE heap, DWORD flags, DWORD size);
BOOL WINAPI HeapFree(HANDLE heap, DWORD flags, void* block);
LONG WINAPI RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, DWORD sam, HKEY* result);
LONG WINAPI RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, void* data, DWORD* size);
LONG WINAPI RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type, const void* data, DWORD size);
LONG WINAPI RegCloseKey(HKEY key);

static const char Key[] = "SOFTWARE\\Microsoft\\DirectDraw";
static const char ValueName[] = "EnablePrintScreen";

/* The private heap of the temporary string copies, made on attach and destroyed on detach. */
static HANDLE s_heap;

/* A copy of the value name on the private heap; the constant itself when there is no heap or
   it is full. */
static const char* valueName(void)
{
    char* copy = s_heap ? (char*)HeapAlloc(s_heap, 0, sizeof ValueName) : 0;
    if (!copy)
        return ValueName;
    for (unsigned i = 0; i < sizeof ValueName; ++i)
        copy[i] = ValueName[i];
    return copy;
}

static void freeName(const char* name)
{
    if (name != ValueName)
        HeapFree(s_heap, 0, (void*)name);
}

/* The value when it can be read (any value of at most 4 bytes, its type not examined); -1 when
   the key opens but the value cannot be read; -2 when the key cannot be opened for reading. */
DX_EXPORT int WINAPI DXPrintScreenEnabled(void)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, Key, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return -2;
    DWORD data = 0, size = 4;
    const char* name = valueName();
    int result = RegQueryValueExA(key, name, 0, 0, &data, &size) == ERROR_SUCCESS ? (int)data : -1;
    freeName(name);
    RegCloseKey(key);
    return result;
}

/* Writes the value as a REG_DWORD; non-zero when the store took it. */
static int writeValue(DWORD value)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, Key, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return 0;
    const char* name = valueName();
    int ok = RegSetValueExA(key, name, 0, REG_DWORD, &value, 4) == ERROR_SUCCESS;
    freeName(name);
    RegCloseKey(key);
    return ok;
}

/* 1 when it has just written 1 (the switch was anything but 1); 0 when it wrote 0 (it was 1),
   when the key cannot be opened (nothing written) or when the write failed. */
DX_EXPORT int WINAPI ToggleDXPrintScreen(void)
{
    int state = DXPrintScreenEnabled();
    if (state == 1) {
        writeValue(0);
        return 0;
    }
    if (state == -2)
        return 0;
    return writeValue(1) ? 1 : 0;
}

/* The attach and detach routine: the private heap lives while the library is loaded. Always
   reports success. */
DX_EXPORT BOOL WINAPI DLLEntryPoint(HANDLE instance, DWORD reason, void* reserved)
{
    (void)instance;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH && !s_heap) {
        s_heap = HeapCreate(0, 4000, 0);
    } else if (reason == DLL_PROCESS_DETACH && s_heap) {
        HeapDestroy(s_heap);
        s_heap = 0;
    }
    return 1;
}

/* The dynamic loader's load and unload hooks call the entry point as the system would. */
__attribute__((constructor)) static void attached(void) { DLLEntryPoint(0, DLL_PROCESS_ATTACH, 0); }
__attribute__((destructor)) static void detached(void) { DLLEntryPoint(0, DLL_PROCESS_DETACH, 0); }
