// The file and file-system commands, for the runtime's own callers and tests (programs reach
// them by link name).
#pragma once

#include "base/KXCallConv.h"

class KXString;

KX_STDCALL int OpenFile(KXString* filename);
KX_STDCALL int ReadFile(KXString* filename);
KX_STDCALL int WriteFile(KXString* filename);
KX_STDCALL void CloseFile(int file);
KX_STDCALL int FilePos(int file);
KX_STDCALL int SeekFile(int file, int pos);
KX_STDCALL int FileType(KXString* path);
KX_STDCALL int FileSize(KXString* path);
KX_STDCALL void CopyFile(KXString* from, KXString* to);
KX_STDCALL void DeleteFile(KXString* path);
KX_STDCALL int ReadDir(KXString* dirname);
KX_STDCALL void CloseDir(int dir);
KX_STDCALL int MoreFiles(int dir);
KX_STDCALL KXString* NextFile(int dir);
KX_STDCALL KXString* CurrentDir();
KX_STDCALL void ChangeDir(KXString* dir);
KX_STDCALL void CreateDir(KXString* dir);
KX_STDCALL void DeleteDir(KXString* dir);
