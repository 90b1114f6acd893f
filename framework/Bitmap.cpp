#include "framework/Bitmap.h"
#include "framework/ResourceModule.h"

BOOL CBitmap::LoadBitmap(UINT resourceId)
{
    return Attach(LoadImageA(GetResourceModule(), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, 0));
}
