/* wine32-preload.c: preloaded into the i386 Wine loader when qemu runs it (see wine32-setup.sh).
 *
 * Wine's own wine-preloader reserves the address ranges Windows programs expect before the loader's
 * libraries take them, and hands them over in wine_main_preload_info. Debian ships no preloader, so the
 * loader reserves them itself, probing with MAP_FIXED_NOREPLACE; qemu 7.2 ignores that flag, and the
 * probing then takes about a minute per process. This library reserves the same ranges once, at load,
 * and publishes them where the loader looks: a process starts in well under a second.
 *
 * Built freestanding (gcc -m32 -nostdlib -shared): mmap, munmap and unsetenv come from the loader's libc. */
typedef unsigned long size_t;

enum { protNone = 0, mapPrivate = 0x02, mapAnonymous = 0x20, mapNoReserve = 0x4000 };
#define MAP_FAILED_ADDRESS ((void *)-1)

extern void *mmap(void *address, size_t length, int protection, int flags, int fd, long offset);
extern int munmap(void *address, size_t length);
extern int unsetenv(const char *name);

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
