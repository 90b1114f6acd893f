// The backdrop's title: text in a slanted face at a given point, drawn transparently over what is there.
#pragma once
#include <windows.h>

// Draws text with its top-left corner at (x, y) in face (characters width x height in logical units,
// weight 100-900, always italic) in color.
void DrawTitleText(HDC dc, int x, int y, const char* text, const char* face, int width, int height,
                   COLORREF color, int weight);
