#include "setup/install/AppendText.h"
#include <string.h>

BOOL AppendText(char* text, size_t textSize, const char* tail)
{
    if (!text || textSize == 0)
        return FALSE;
    size_t length = strnlen(text, textSize);
    size_t tailLength = tail ? strlen(tail) : 0;
    if (length == textSize || length + tailLength >= textSize) {
        text[0] = '\0';
        return FALSE;
    }
    memcpy(text + length, tail ? tail : "", tailLength + 1);
    return TRUE;
}
