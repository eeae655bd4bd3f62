// Pictorra's library table: every external library and function the program binds, in the
// order start-up loads them, and the pointer slots the bound functions land in.
#include "libs.h"

#define PT_SLOT(name)                          \
    extern "C" {                               \
    constinit pt_import_##name name = nullptr; \
    }

PT_SLOT(GetClipImageInfo)
PT_SLOT(PasteClipImage)
PT_SLOT(KeepClipImage)
PT_SLOT(RemoteParse)
PT_SLOT(RemoteSource)
PT_SLOT(RemoteDelay)
PT_SLOT(RemoteClipboard)
PT_SLOT(RemoteFormat)
PT_SLOT(RemoteOutput)
PT_SLOT(RemoteSend)
PT_SLOT(RemoteListen)
PT_SLOT(RemoteTake)
PT_SLOT(RemoteAnswer)
PT_SLOT(RemoteStop)
PT_SLOT(RemoteExit)
PT_SLOT(DXPrintScreenEnabled)
PT_SLOT(ToggleDXPrintScreen)
PT_SLOT(FreeImage_Save)
PT_SLOT(FreeImage_Unload)
PT_SLOT(FreeImage_GetBits)
PT_SLOT(FreeImage_GetWidth)
PT_SLOT(FreeImage_GetHeight)
PT_SLOT(FreeImage_GetPitch)
PT_SLOT(FreeImage_ConvertTo24Bits)
PT_SLOT(FreeImage_GetInfoHeader)
PT_SLOT(FreeImage_ConvertFromRawBits)
PT_SLOT(FreeImage_ConvertFromRawBitsEx)
PT_SLOT(FreeImage_ConvertToRawBits)
PT_SLOT(GetEnvironmentVariableA)
PT_SLOT(CreateMutexA)
PT_SLOT(GetLastError)
PT_SLOT(GetVersionExA)
PT_SLOT(ExtractIconA)
PT_SLOT(SHGetSpecialFolderLocation)
PT_SLOT(SHGetPathFromIDListA)
PT_SLOT(GetAsyncKeyState)
PT_SLOT(GetForegroundWindow)
PT_SLOT(SetForegroundWindow)
PT_SLOT(GetWindowInfo)
PT_SLOT(MessageBeep)
PT_SLOT(SetClassLongA)
PT_SLOT(OpenClipboard)
PT_SLOT(CloseClipboard)
PT_SLOT(EmptyClipboard)
PT_SLOT(FindWindowA)
PT_SLOT(GetWindowLongA)
PT_SLOT(SetWindowLongA)
PT_SLOT(keybd_event)

KX_LIBS(kx_lib("data\\Clipboard.dll",
            kx_libfn("_GetClipImageInfo@12", &GetClipImageInfo),
            kx_libfn("_PasteClipImage@16", &PasteClipImage),
            kx_libfn("_KeepClipImage@0", &KeepClipImage)),
    kx_lib("data\\Remote.dll",
        kx_libfn("_RemoteParse@4", &RemoteParse),
        kx_libfn("_RemoteSource@0", &RemoteSource),
        kx_libfn("_RemoteDelay@0", &RemoteDelay),
        kx_libfn("_RemoteClipboard@0", &RemoteClipboard),
        kx_libfn("_RemoteFormat@0", &RemoteFormat),
        kx_libfn("_RemoteOutput@8", &RemoteOutput),
        kx_libfn("_RemoteSend@4", &RemoteSend),
        kx_libfn("_RemoteListen@4", &RemoteListen),
        kx_libfn("_RemoteTake@0", &RemoteTake),
        kx_libfn("_RemoteAnswer@8", &RemoteAnswer),
        kx_libfn("_RemoteStop@0", &RemoteStop),
        kx_libfn("_RemoteExit@8", &RemoteExit)),
    kx_lib("data\\Dexolan.dll",
        kx_libfn("DXPrintScreenEnabled", &DXPrintScreenEnabled),
        kx_libfn("ToggleDXPrintScreen", &ToggleDXPrintScreen)),
    kx_lib("data\\FreeImage.dll",
        kx_libfn("_FreeImage_Save@16", &FreeImage_Save),
        kx_libfn("_FreeImage_Unload@4", &FreeImage_Unload),
        kx_libfn("_FreeImage_GetBits@4", &FreeImage_GetBits),
        kx_libfn("_FreeImage_GetWidth@4", &FreeImage_GetWidth),
        kx_libfn("_FreeImage_GetHeight@4", &FreeImage_GetHeight),
        kx_libfn("_FreeImage_GetPitch@4", &FreeImage_GetPitch),
        kx_libfn("_FreeImage_ConvertTo24Bits@4", &FreeImage_ConvertTo24Bits),
        kx_libfn("_FreeImage_GetInfoHeader@4", &FreeImage_GetInfoHeader),
        kx_libfn("_FreeImage_ConvertFromRawBits@36", &FreeImage_ConvertFromRawBits),
        kx_libfn("_FreeImage_ConvertFromRawBitsEx@44", &FreeImage_ConvertFromRawBitsEx),
        kx_libfn("_FreeImage_ConvertToRawBits@32", &FreeImage_ConvertToRawBits)),
    kx_lib("kernel32.dll",
        kx_libfn("GetEnvironmentVariableA", &GetEnvironmentVariableA),
        kx_libfn("CreateMutexA", &CreateMutexA),
        kx_libfn("GetLastError", &GetLastError),
        kx_libfn("GetVersionExA", &GetVersionExA)),
    kx_lib("shell32.dll",
        kx_libfn("ExtractIconA", &ExtractIconA),
        kx_libfn("SHGetSpecialFolderLocation", &SHGetSpecialFolderLocation),
        kx_libfn("SHGetPathFromIDListA", &SHGetPathFromIDListA)),
    kx_lib("user32.dll",
        kx_libfn("GetAsyncKeyState", &GetAsyncKeyState),
        kx_libfn("GetForegroundWindow", &GetForegroundWindow),
        kx_libfn("SetForegroundWindow", &SetForegroundWindow),
        kx_libfn("GetWindowInfo", &GetWindowInfo),
        kx_libfn("MessageBeep", &MessageBeep),
        kx_libfn("SetClassLongA", &SetClassLongA),
        kx_libfn("OpenClipboard", &OpenClipboard),
        kx_libfn("CloseClipboard", &CloseClipboard),
        kx_libfn("EmptyClipboard", &EmptyClipboard),
        kx_libfn("FindWindowA", &FindWindowA),
        kx_libfn("GetWindowLongA", &GetWindowLongA),
        kx_libfn("SetWindowLongA", &SetWindowLongA),
        kx_libfn("keybd_event", &keybd_event)));
