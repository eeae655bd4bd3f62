// The arithmetic helpers compiled code calls, the math commands (angles in degrees) and the
// random-number commands.
#pragma once

#include "base/KXCallConv.h"

KX_STDCALL int kxAbs(int a);
KX_STDCALL int kxSgn(int a);
KX_STDCALL int kxMod(int a, int b);
KX_STDCALL float kxFAbs(float a);
KX_STDCALL float kxFSgn(float a);
KX_STDCALL float kxFMod(float a, float b);
KX_STDCALL float kxFPow(float a, float b);

KX_STDCALL float Sin(float degrees);
KX_STDCALL float Cos(float degrees);
KX_STDCALL float Tan(float degrees);
KX_STDCALL float ASin(float f);
KX_STDCALL float ACos(float f);
KX_STDCALL float ATan(float f);
KX_STDCALL float ATan2(float floata, float floatb);
KX_STDCALL float Sqr(float f);
KX_STDCALL float Floor(float f);
KX_STDCALL float Ceil(float f);
KX_STDCALL float Exp(float f);
KX_STDCALL float Log(float f);
KX_STDCALL float Log10(float f);

KX_STDCALL float Rnd(float from, float to);
KX_STDCALL int Rand(int from, int to);
KX_STDCALL void SeedRnd(int seed);
KX_STDCALL int RndSeed();
