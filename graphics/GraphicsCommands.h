// Declarations of the 2D commands, for C++ callers (tests, other runtime areas).
// Programs reach them through the command registry.
#pragma once

#include "base/KXCallConv.h"

class KXString;

// Buffers and pixels.
KX_STDCALL int SetBuffer(int buffer);
KX_STDCALL int GraphicsBuffer();
KX_STDCALL int DesktopBuffer();
KX_STDCALL int GraphicsWidth();
KX_STDCALL int GraphicsHeight();
KX_STDCALL int GraphicsDepth();
KX_STDCALL int GraphicsFormat();
KX_STDCALL int LoadBuffer(int buffer, KXString* file);
KX_STDCALL int SaveBuffer(int buffer, KXString* file);
KX_STDCALL void LockBuffer(int buffer);
KX_STDCALL void UnlockBuffer(int buffer);
KX_STDCALL int LockedPitch(int buffer);
KX_STDCALL int LockedFormat(int buffer);
KX_STDCALL int LockedPixels(int buffer);
KX_STDCALL int ReadPixelFast(int x, int y, int buffer);
KX_STDCALL void WritePixelFast(int x, int y, int color, int buffer);
KX_STDCALL int ReadPixel(int x, int y, int buffer);
KX_STDCALL void WritePixel(int x, int y, int color, int buffer);
KX_STDCALL void CopyPixel(int src_x, int src_y, int src_buffer, int dst_x, int dst_y, int dst_buffer);
KX_STDCALL void CopyPixelFast(int src_x, int src_y, int src_buffer, int dst_x, int dst_y, int dst_buffer);
KX_STDCALL void CopyRect(int source_x, int source_y, int width, int height, int dest_x, int dest_y, int source_buffer, int dest_buffer);

// Drawing state and primitives.
KX_STDCALL void Color(int red, int green, int blue);
KX_STDCALL void ClsColor(int red, int green, int blue);
KX_STDCALL void Origin(int x, int y);
KX_STDCALL void Viewport(int x, int y, int width, int height);
KX_STDCALL void Cls();
KX_STDCALL void Plot(int x, int y);
KX_STDCALL void Line(int x1, int y1, int x2, int y2);
KX_STDCALL void Rect(int x, int y, int width, int height, int solid);
KX_STDCALL void Oval(int x, int y, int width, int height, int solid);
KX_STDCALL void Text(int x, int y, KXString* text, int center_x, int center_y);
KX_STDCALL void GetColor(int x, int y);
KX_STDCALL int ColorRed();
KX_STDCALL int ColorGreen();
KX_STDCALL int ColorBlue();
KX_STDCALL int StringWidth(KXString* string);
KX_STDCALL int StringHeight(KXString* string);
KX_STDCALL int FontWidth();
KX_STDCALL int FontHeight();

// Images.
KX_STDCALL int LoadImage(KXString* file, int flags);
KX_STDCALL int CreateImage(int width, int height, int frames, int flags);
KX_STDCALL int CopyImage(int image);
KX_STDCALL void FreeImage(int image);
KX_STDCALL void MaskImage(int image, int red, int green, int blue);
KX_STDCALL void HandleImage(int image, int handle_x, int handle_y);
KX_STDCALL void MidHandle(int image);
KX_STDCALL void AutoMidHandle(int enable);
KX_STDCALL int ImageWidth(int image);
KX_STDCALL int ImageHeight(int image);
KX_STDCALL int ImageXHandle(int image);
KX_STDCALL int ImageYHandle(int image);
KX_STDCALL int ImageBuffer(int image, int frame);
KX_STDCALL void SaveImage(int image, KXString* file, int frame);
KX_STDCALL void TFormFilter(int enable);
KX_STDCALL void TFormImage(int image, float a, float b, float c, float d);
KX_STDCALL void ScaleImage(int image, float xscale, float yscale);
KX_STDCALL void ResizeImage(int image, float width, float height);
KX_STDCALL void RotateImage(int image, float angle);
KX_STDCALL void DrawImage(int image, int x, int y, int frame);
KX_STDCALL void DrawBlock(int image, int x, int y, int frame);
KX_STDCALL void TileImage(int image, int x, int y, int frame);
KX_STDCALL void TileBlock(int image, int x, int y, int frame);
KX_STDCALL void DrawImageRect(int image, int x, int y, int rect_x, int rect_y, int rect_width, int rect_height, int frame);
KX_STDCALL void DrawBlockRect(int image, int x, int y, int rect_x, int rect_y, int rect_width, int rect_height, int frame);
KX_STDCALL void GrabImage(int image, int x, int y, int frame);
KX_STDCALL int LoadAnimImage(KXString* file, int cellwidth, int cellheight, int first, int count);
KX_STDCALL int ImagesOverlap(int image1, int x1, int y1, int image2, int x2, int y2);
KX_STDCALL int ImagesCollide(int image1, int x1, int y1, int frame1, int image2, int x2, int y2, int frame2);
KX_STDCALL int ImageRectOverlap(int image, int x, int y, int rect_x, int rect_y, int rect_width, int rect_height);
KX_STDCALL int ImageRectCollide(int image, int x, int y, int frame, int rect_x, int rect_y, int rect_width, int rect_height);
KX_STDCALL int RectsOverlap(int x1, int y1, int width1, int height1, int x2, int y2, int width2, int height2);
