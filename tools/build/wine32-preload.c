/* wine32-preload.c: preloaded into the i386 Wine loader when qemu runs it (see wine32-setup.sh).
 *
 * Wine's own wine-preloader reserves the address ranges Windows programs expect before the loader's
 * libraries take them, and hands them over in wine_main_preload_info. Debian ships no preloader, so the
 * loader reserves them itself, probing with MAP_FIXED_NOREPLACE; qemu 7.2 ignores that flag, and the
 * probing then takes about a minute per process. This library reserves the same ranges once, at load,
 * and publishes them where the loader looks: a process starts in well under a second.
 *
 * It also stands between Wine and the kernel for the fault signals: qemu's signal frame carries trap number
 * -1, and Wine, which decides from that number what exception a fault is, would make every page fault an
 * illegal instruction. The wrapper fills in the number the kernel would have given, then calls Wine.
 *
 * Built freestanding (gcc -m32 -nostdlib -fno-stack-protector -shared): mmap, munmap, unsetenv and dlsym
 * come from the loader's libc. The wrapper calls nothing: it runs before Wine has set up the thread. */
typedef unsigned long size_t;

enum { protNone = 0, mapPrivate = 0x02, mapAnonymous = 0x20, mapNoReserve = 0x4000 };
#define MAP_FAILED_ADDRESS ((void *)-1)

extern void *mmap(void *address, size_t length, int protection, int flags, int fd, long offset);
extern int munmap(void *address, size_t length);
extern int unsetenv(const char *name);
extern void *dlsym(void *handle, const char *name);
#define RTLD_NEXT_HANDLE ((void *)-1)

struct preload_info { void *addr; size_t size; };
extern struct preload_info *wine_main_preload_info;   /* the loader's own variable */

static struct preload_info reserved[8];

static int reserve(unsigned long start, unsigned long end, int count)
{
    size_t length = end - start;
    void *area = mmap((void *)start, length, protNone, mapPrivate | mapAnonymous | mapNoReserve, -1, 0);
    if (area == (void *)start) {
        reserved[count].addr = area;
        reserved[count].size = length;
        return count + 1;
    }
    if (area != MAP_FAILED_ADDRESS)
        munmap(area, length);   /* placed elsewhere: not the range Wine wants */
    return count;
}

__attribute__((constructor)) static void reserve_windows_ranges(void)
{
    int count = 0;
    count = reserve(0x00010000, 0x00110000, count);   /* DOS area */
    count = reserve(0x00110000, 0x38000000, count);   /* low memory; qemu keeps its stack and libraries near 0x40000000 */
    count = reserve(0x7f000000, 0x82000000, count);   /* top-down allocations and KUSER_SHARED_DATA at 0x7ffe0000 */
    reserved[count].addr = 0;
    reserved[count].size = 0;
    wine_main_preload_info = reserved;
    unsetenv("LD_PRELOAD");   /* a 64-bit process started from here must not try to load it */
}

/* The i386 C library's struct sigaction: handler, 1024-bit mask, flags, restorer. */
typedef void (*FaultHandler)(int signal, void *info, void *context);
struct LibcSigaction { FaultHandler handler; unsigned long mask[32]; int flags; void (*restorer)(void); };
enum { saSiginfo = 4, sigIll = 4, sigBus = 7, sigFpe = 8, sigSegv = 11, signalCount = 65 };
enum { segvMapErr = 1, segvAccErr = 2, busAdrAln = 1, fpeIntDiv = 1, fpeIntOvf = 2 };
enum { trapOffset = 20 + 12 * 4 };   /* ucontext: flags, link, 12-byte stack, then gregs[REG_TRAPNO = 12] */

static FaultHandler wineHandlers[signalCount];

static int TrapNumber(int signal, int code)
{
    switch (signal) {
    case sigSegv: return code == segvMapErr || code == segvAccErr ? 14 : 13;   /* page fault, else protection */
    case sigBus:  return code == busAdrAln ? 17 : 14;                            /* alignment check */
    case sigIll:  return 6;                                                      /* invalid opcode */
    default:      return code == fpeIntDiv ? 0 : code == fpeIntOvf ? 4 : 16;     /* divide, overflow, x87 */
    }
}

static void FillInTrap(int signal, void *info, void *context)
{
    long *trap = (long *)((char *)context + trapOffset);
    if (*trap == -1)
        *trap = TrapNumber(signal, ((int *)info)[2]);
    wineHandlers[signal](signal, info, context);
}

static int IsFaultSignal(int signal)
{
    return signal == sigSegv || signal == sigBus || signal == sigIll || signal == sigFpe;
}

int sigaction(int signal, const struct LibcSigaction *action, struct LibcSigaction *old)
{
    static int (*next)(int, const struct LibcSigaction *, struct LibcSigaction *);
    if (!next)
        next = (int (*)(int, const struct LibcSigaction *, struct LibcSigaction *))
               dlsym(RTLD_NEXT_HANDLE, "sigaction");
    FaultHandler previous = IsFaultSignal(signal) ? wineHandlers[signal] : 0;
    int result;
    if (action && IsFaultSignal(signal) && (action->flags & saSiginfo) &&
        (unsigned long)action->handler > 1) {   /* a real handler, not SIG_DFL or SIG_IGN */
        struct LibcSigaction wrapped = *action;
        wineHandlers[signal] = action->handler;
        wrapped.handler = FillInTrap;
        result = next(signal, &wrapped, old);
    } else {
        result = next(signal, action, old);
    }
    if (result == 0 && old && old->handler == FillInTrap)
        old->handler = previous;   /* the caller sees the handler it installed */
    return result;
}
