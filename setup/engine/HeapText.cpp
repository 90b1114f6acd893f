#include "setup/engine/HeapText.h"
#include <stdlib.h>
#include <string.h>

char* CopyHeapText(const char* text, size_t length)
{
    char* copy = static_cast<char*>(malloc(length + 1));
    if (!copy)
        return nullptr;
    memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}

void FreeHeapText(char*& text)
{
    free(text);
    text = nullptr;
}
