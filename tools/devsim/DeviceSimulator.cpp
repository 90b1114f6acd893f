// Stand-in for the mouse's device software: writes the shared items, sends the pad requests and shows
// the block, so that tests and the demo can play the outside side of the protocol.
//
//   devsim COMMAND [ARGS] [COMMAND [ARGS]] ...     (commands run in order; exit code 0 when all succeed)
//     position X Y        write "MousePosition"
//     owner V             write "MouseOwner"
//     open [WINDOW]       post "Open quimbel" to the tray's main window (default: the window titled "Quelmar")
//     lbutton [X Y]       write the press point (when given) and post "Call quimbel l-btndown" to the pad
//                         whose handle is in "RoundMap"
//     show                print the three items and a hex dump of the block
//     hold [SECONDS]      keep the block open (default 30 s) until "devsim release" or the time is up
//     hook [SECONDS]      the same with hoppet.dll loaded, which opens the block itself
//     release             end every "hold" and "hook"
//     bound [SECONDS]     wait (default 10 s) until hoppet.dll beside it has a hook installed for an owner
//                         window (the tray application's frame binds it); exit code 1 when it does not
//   WINDOW: --hwnd HEX | --title TEXT | --class NAME
#include "hook/HookShared.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const char releaseEventName[] = "ferrowin_devsim_release";

CSharedMemory* g_block;

CSharedMemory* Block()
{
    if (!g_block)
        g_block = OpenMouseStateBlock();
    return g_block;
}

bool Failed(const char* what)
{
    DWORD error = g_block ? g_block->GetLastError() : GetLastError();
    printf("devsim: %s failed (error %lu)\n", what, error);
    return false;
}

bool WriteWords(const char* item, const LONG* words, DWORD count)
{
    if (!Block()->WriteItem(item, words, count * sizeof(LONG)))
        return Failed(item);
    printf("devsim: %s =", item);
    for (DWORD i = 0; i < count; ++i)
        printf(" %ld", words[i]);
    printf("\n");
    return true;
}

bool PostTo(HWND window, const char* message)
{
    UINT number = RegisterWindowMessageA(message);
    if (!window || !IsWindow(window)) {
        printf("devsim: no window for \"%s\"\n", message);
        return false;
    }
    if (!PostMessageA(window, number, 0, 0))
        return Failed(message);
    printf("devsim: posted \"%s\" (0x%04X) to window 0x%lX\n", message, number, HandleToUlong(window));
    return true;
}

void Show()
{
    LONG position[2] = {};
    DWORD owner = 0, roundMap = 0, length;
    length = sizeof position;
    BOOL hasPosition = Block()->ReadItem(itemMousePosition, position, &length);
    length = sizeof owner;
    BOOL hasOwner = Block()->ReadItem(itemMouseOwner, &owner, &length);
    length = sizeof roundMap;
    BOOL hasRoundMap = Block()->ReadItem(itemRoundMap, &roundMap, &length);
    printf("block \"%s\" (%lu bytes, process %lu)\n", mouseStateBlock, Block()->GetSize(), GetCurrentProcessId());
    if (hasPosition)
        printf("  %-14s x %ld, y %ld\n", itemMousePosition, position[0], position[1]);
    if (hasOwner)
        printf("  %-14s %lu\n", itemMouseOwner, owner);
    if (hasRoundMap)
        printf("  %-14s 0x%08lX\n", itemRoundMap, roundMap);

    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, mouseStateBlock);
    const BYTE* view = mapping ? (const BYTE*)MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
    if (view) {
        // Up to the last nonzero row: the area behind the last item is zero.
        DWORD rows = mouseStateBlockSize / 16, used = 1;
        for (DWORD row = 0; row < rows; ++row)
            for (DWORD i = 0; i < 16; ++i)
                if (view[row * 16 + i])
                    used = row + 1;
        for (DWORD row = 0; row < used; ++row) {
            printf("  %04lX ", row * 16);
            for (DWORD i = 0; i < 16; ++i)
                printf(" %02X", view[row * 16 + i]);
            printf("  ");
            for (DWORD i = 0; i < 16; ++i) {
                BYTE c = view[row * 16 + i];
                putchar(c >= 32 && c < 127 ? c : '.');
            }
            printf("\n");
        }
        if (used < rows)
            printf("  (%04lX-%04X zero)\n", used * 16, mouseStateBlockSize - 1);
        UnmapViewOfFile(view);
    }
    if (mapping)
        CloseHandle(mapping);
}

// The section that every process with this hoppet.dll shares.
const HookShared* SharedSection(HMODULE library)
{
    const BYTE* base = reinterpret_cast<const BYTE*>(library);
    auto headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
    for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section)
        if (memcmp(section->Name, ".HOOKDAT", 8) == 0)
            return reinterpret_cast<const HookShared*>(base + section->VirtualAddress);
    return nullptr;
}

// Polls the shared section until a hook is installed for an owner window, or the time is up.
bool WaitUntilBound(DWORD seconds)
{
    HMODULE library = LoadLibraryA("hoppet.dll");
    const volatile HookShared* shared = library ? SharedSection(library) : nullptr;
    bool bound = false;
    for (DWORD start = GetTickCount(); shared && !bound; Sleep(50)) {
        bound = shared->ownerWindow && (shared->mouseHook || shared->lowLevelHook);
        if (!bound && GetTickCount() - start >= seconds * 1000)
            break;
    }
    if (bound)
        printf("devsim: the hook is bound to window 0x%lX\n", static_cast<unsigned long>(shared->ownerWindow));
    else
        printf("devsim: no hook bound within %lu s\n", static_cast<unsigned long>(seconds));
    if (library)
        FreeLibrary(library);
    return bound;
}

// Waits for "devsim release" or the time-out while pumping messages (a loaded hook library may need it).
void Hold(DWORD seconds)
{
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, releaseEventName);
    printf("devsim: holding the block (process %lu)\n", GetCurrentProcessId());
    fflush(stdout);
    DWORD end = GetTickCount() + seconds * 1000;
    for (;;) {
        DWORD now = GetTickCount();
        if ((LONG)(end - now) <= 0)
            break;
        DWORD result = MsgWaitForMultipleObjects(1, &release, FALSE, end - now, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0)
            break;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    if (release)
        CloseHandle(release);
}

bool IsNumber(const char* text)
{
    if (!text || !*text)
        return false;
    char* end;
    strtol(text, &end, 0);
    return *end == 0;
}

// Parses an optional WINDOW at argv[*index].
HWND FindTarget(int argc, char** argv, int* index)
{
    const char* title = "Quelmar";
    const char* className = nullptr;
    if (*index + 1 < argc) {
        const char* option = argv[*index];
        const char* value = argv[*index + 1];
        if (strcmp(option, "--hwnd") == 0) {
            *index += 2;
            return (HWND)(ULONG_PTR)strtoul(value, nullptr, 16);
        }
        if (strcmp(option, "--title") == 0) {
            title = value;
            *index += 2;
        } else if (strcmp(option, "--class") == 0) {
            className = value;
            title = nullptr;
            *index += 2;
        }
    }
    return FindWindowA(className, title);
}

int Usage()
{
    printf("usage: devsim {position X Y | owner V | open [--hwnd HEX | --title T | --class C] | lbutton [X Y] |\n"
           "               show | hold [S] | hook [S] | release | bound [S]} ...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    bool ok = true;
    for (int i = 1; i < argc && ok;) {
        const char* command = argv[i++];
        if (strcmp(command, "position") == 0 && i + 1 < argc && IsNumber(argv[i]) && IsNumber(argv[i + 1])) {
            LONG point[2] = {strtol(argv[i], nullptr, 0), strtol(argv[i + 1], nullptr, 0)};
            i += 2;
            ok = WriteWords(itemMousePosition, point, 2);
        } else if (strcmp(command, "owner") == 0 && i < argc && IsNumber(argv[i])) {
            LONG owner = strtol(argv[i++], nullptr, 0);
            ok = WriteWords(itemMouseOwner, &owner, 1);
        } else if (strcmp(command, "open") == 0) {
            ok = PostTo(FindTarget(argc, argv, &i), openQuimbelName);
        } else if (strcmp(command, "lbutton") == 0) {
            if (i + 1 < argc && IsNumber(argv[i]) && IsNumber(argv[i + 1])) {
                LONG point[2] = {strtol(argv[i], nullptr, 0), strtol(argv[i + 1], nullptr, 0)};
                i += 2;
                ok = WriteWords(itemMousePosition, point, 2);
            }
            DWORD pad = 0, length = sizeof pad;
            if (ok && !Block()->ReadItem(itemRoundMap, &pad, &length))
                ok = Failed(itemRoundMap);
            if (ok)
                ok = PostTo((HWND)(ULONG_PTR)pad, callQuimbelName);
        } else if (strcmp(command, "show") == 0) {
            if (!Block()->IsReady())
                ok = Failed("opening the block");
            else
                Show();
        } else if (strcmp(command, "hold") == 0 || strcmp(command, "hook") == 0) {
            DWORD seconds = i < argc && IsNumber(argv[i]) ? strtoul(argv[i++], nullptr, 0) : 30;
            HMODULE library = nullptr;
            if (command[1] == 'o' && command[2] == 'o') {
                library = LoadLibraryA("hoppet.dll");
                if (!library) {
                    ok = Failed("loading hoppet.dll");
                    continue;
                }
                printf("devsim: hoppet.dll loaded\n");
            } else if (!Block()->IsReady()) {
                ok = Failed("opening the block");
                continue;
            }
            Hold(seconds);
            if (library)
                FreeLibrary(library);
        } else if (strcmp(command, "bound") == 0) {
            ok = WaitUntilBound(i < argc && IsNumber(argv[i]) ? strtoul(argv[i++], nullptr, 0) : 10);
        } else if (strcmp(command, "release") == 0) {
            HANDLE release = OpenEventA(EVENT_MODIFY_STATE, FALSE, releaseEventName);
            if (release) {
                SetEvent(release);
                CloseHandle(release);
            }
            printf("devsim: released\n");
        } else {
            return Usage();
        }
        fflush(stdout);
    }
    delete g_block;
    return ok ? 0 : 1;
}
