#include "shared/SharedMemory.h"
#include "framework/Event.h"
#include "framework/Semaphore.h"
#include "framework/SingleLock.h"
#include "shared/WindowsVersion.h"
#include <new>
#include <string.h>

namespace {

constexpr DWORD headerSize = 8;       // item count, block size
constexpr DWORD itemNameBytes = 80;   // 40 UTF-16 units
constexpr DWORD itemHeaderSize = 84;  // name, value size
constexpr DWORD maxNameUnits = 40;    // including the terminating zero

// Items follow each other without alignment, so the 32-bit fields are copied rather than dereferenced.
DWORD ReadWord(const BYTE* at)
{
    DWORD word;
    memcpy(&word, at, sizeof word);
    return word;
}

void WriteWord(BYTE* at, DWORD word)
{
    memcpy(at, &word, sizeof word);
}

// first + suffix in a new buffer, or null when memory is short.
char* JoinName(const char* first, const char* suffix)
{
    size_t firstLength = strlen(first), suffixLength = strlen(suffix);
    char* joined = new (std::nothrow) char[firstLength + suffixLength + 1];
    if (joined) {
        memcpy(joined, first, firstLength);
        memcpy(joined + firstLength, suffix, suffixLength + 1);
    }
    return joined;
}

// The item name as UTF-16 from the ANSI code page, in a heap buffer of (length + 2) units.
class WideName {
public:
    explicit WideName(const char* name) : text(nullptr), error(0)
    {
        if (!name) {
            error = ERROR_INVALID_PARAMETER;
            return;
        }
        int units = static_cast<int>(strlen(name)) + 2;
        text = static_cast<WCHAR*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, units * sizeof(WCHAR)));
        if (!text)
            error = ERROR_NOT_ENOUGH_MEMORY;
        else if (!MultiByteToWideChar(CP_ACP, 0, name, -1, text, units))
            error = GetLastError();
    }
    ~WideName()
    {
        if (text)
            HeapFree(GetProcessHeap(), 0, text);
    }
    const WCHAR* Text() const { return text; }
    DWORD Error() const { return error; }

private:
    WCHAR* text;
    DWORD error;
};

}  // namespace

// One operation on the block: the other threads of this process are kept out first (they share this
// object), then the block's lock is taken; both are given back on every way out. Error() is 0 once both
// are held, else the error the operation fails with.
class CSharedMemory::Access {
public:
    explicit Access(CSharedMemory* memory) : threads(&memory->threadGuard), block(memory->lock), error(0)
    {
        if (!memory->ready) {
            error = ERROR_OBJECT_NOT_FOUND;
            return;
        }
        threads.Lock();
        error = memory->AcquireLock(&block);
    }
    DWORD Error() const { return error; }

private:
    CSingleLock threads;
    CSingleLock block;
    DWORD error;
};

const CRuntimeClass CSharedMemory::classCSharedMemory = {"CSharedMemory", sizeof(CSharedMemory), nullptr,
                                                         &CObject::classCObject};

const CRuntimeClass* CSharedMemory::GetRuntimeClass() const { return &classCSharedMemory; }

CSharedMemory::CSharedMemory(const char* name, DWORD blockSize, InitFunction init, void* context,
                             SECURITY_ATTRIBUTES* attributes)
    : blockName(nullptr), lastError(0), lock(nullptr), created(1), ready(0), size(0),
      view(nullptr), mapping(nullptr), secure(0), descriptor(), securityAttributes(), interactiveSid(nullptr),
      systemSid(nullptr), acl(nullptr), serviceSid(nullptr)
{
    if (!name) {
        Fail(ERROR_INVALID_PARAMETER);
        return;
    }
    WindowsVersion version;
    if (!QueryWindowsVersion(&version)) {
        Fail(::GetLastError());
        return;
    }
    // Explicit security only where the system has it: Windows 95 also reports 4.0, and its security
    // functions are stubs that fail, which would leave the block unopened.
    secure = !version.family9x && version.major >= 3 &&
             (version.minor == 0 || version.minor == 1 || version.minor == 51);
    if (secure && !SetUpSecurity(attributes))
        return;

    char* syncName = JoinName(name, "_Sync");
    if (!syncName) {
        Fail(ERROR_NOT_ENOUGH_MEMORY);
        return;
    }
    lock = new (std::nothrow) CSemaphore(1, 1, syncName, Attributes());
    delete[] syncName;
    if (!lock) {
        Fail(ERROR_NOT_ENOUGH_MEMORY);
        return;
    }
    if (!lock->IsValid()) {
        Fail(lock->GetCreateError());
        return;
    }
    // A lock left taken by a process that died is freed by the first wait that times out; waiting once
    // more then finds it free. Only when that second wait fails too does the construction give up.
    CSingleLock block(lock);
    if (AcquireLock(&block) != 0 && !block.Lock(lockTimeout)) {
        Fail(ERROR_TIMEOUT);
        return;
    }

    mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, Attributes(), PAGE_READWRITE, 0, blockSize, name);
    if (!mapping) {
        Fail(::GetLastError());
        return;
    }
    if (::GetLastError() == ERROR_ALREADY_EXISTS)
        created = 0;
    view = static_cast<BYTE*>(MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0));
    if (!view) {
        Fail(::GetLastError());
        return;
    }
    // The size word is written by whichever process created the block; it is never trusted beyond what
    // is really mapped here.
    MEMORY_BASIC_INFORMATION region;
    if (!VirtualQuery(view, &region, sizeof region)) {
        Fail(::GetLastError());
        return;
    }
    SIZE_T extent = region.RegionSize - (view - static_cast<BYTE*>(region.BaseAddress));
    if (created) {
        memset(view, 0, blockSize);
        size = blockSize;
        WriteWord(view + 4, size);
    } else {
        size = ReadWord(view + 4);
    }
    if (size > extent)
        size = static_cast<DWORD>(extent);

    ready = 1;
    blockName = JoinName(name, "");
    if (!blockName) {
        ready = 0;
        Fail(ERROR_NOT_ENOUGH_MEMORY);
        return;
    }
    if (init) {
        block.Unlock();
        init(this, context);
    }
}

CSharedMemory::~CSharedMemory()
{
    if (view)
        UnmapViewOfFile(view);
    if (mapping)
        CloseHandle(mapping);
    if (acl)
        HeapFree(GetProcessHeap(), 0, acl);
    if (interactiveSid)
        FreeSid(interactiveSid);
    if (systemSid)
        FreeSid(systemSid);
    if (serviceSid)
        FreeSid(serviceSid);
    delete lock;
    delete[] blockName;
}

BOOL CSharedMemory::Fail(DWORD error)
{
    lastError = error;
    SetLastError(error);
    return FALSE;
}

BOOL CSharedMemory::SetUpSecurity(SECURITY_ATTRIBUTES* supplied)
{
    return supplied ? CopyAttributes(supplied) : BuildDefaultAttributes();
}

// Interactive users, the local system and services get full access, in that order.
BOOL CSharedMemory::BuildDefaultAttributes()
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    if (!AllocateAndInitializeSid(&ntAuthority, 1, SECURITY_INTERACTIVE_RID, 0, 0, 0, 0, 0, 0, 0,
                                  &interactiveSid) ||
        !AllocateAndInitializeSid(&ntAuthority, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0, 0, &systemSid) ||
        !AllocateAndInitializeSid(&ntAuthority, 1, SECURITY_SERVICE_RID, 0, 0, 0, 0, 0, 0, 0, &serviceSid))
        return Fail(::GetLastError());

    DWORD aclSize = GetLengthSid(interactiveSid) + GetLengthSid(systemSid) + GetLengthSid(serviceSid) + 32;
    acl = static_cast<PACL>(HeapAlloc(GetProcessHeap(), 0, aclSize));
    if (!acl)
        return Fail(ERROR_NOT_ENOUGH_MEMORY);
    if (!InitializeAcl(acl, aclSize, ACL_REVISION) ||
        !AddAccessAllowedAce(acl, ACL_REVISION, 0x1FFFFF, interactiveSid) ||
        !AddAccessAllowedAce(acl, ACL_REVISION, 0x1FFFFF, systemSid) ||
        !AddAccessAllowedAce(acl, ACL_REVISION, 0x1FFFFF, serviceSid) ||
        !InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE))
        return Fail(::GetLastError());

    securityAttributes.nLength = sizeof securityAttributes;
    securityAttributes.lpSecurityDescriptor = &descriptor;
    securityAttributes.bInheritHandle = TRUE;
    return TRUE;
}

// The parts of the supplied descriptor are referred to, not copied: it must outlive this object.
BOOL CSharedMemory::CopyAttributes(SECURITY_ATTRIBUTES* supplied)
{
    PSECURITY_DESCRIPTOR source = supplied->lpSecurityDescriptor;
    if (!source || !IsValidSecurityDescriptor(source))
        return Fail(ERROR_INVALID_PARAMETER);
    securityAttributes.nLength = supplied->nLength;
    securityAttributes.bInheritHandle = supplied->bInheritHandle;

    PSID owner, group;
    PACL sacl, dacl;
    BOOL ownerDefaulted, groupDefaulted, saclPresent, saclDefaulted, daclPresent, daclDefaulted;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !GetSecurityDescriptorOwner(source, &owner, &ownerDefaulted) ||
        !SetSecurityDescriptorOwner(&descriptor, owner, ownerDefaulted) ||
        !GetSecurityDescriptorGroup(source, &group, &groupDefaulted) ||
        !SetSecurityDescriptorGroup(&descriptor, group, groupDefaulted) ||
        !GetSecurityDescriptorSacl(source, &saclPresent, &sacl, &saclDefaulted) ||
        !SetSecurityDescriptorSacl(&descriptor, saclPresent, sacl, saclDefaulted) ||
        !GetSecurityDescriptorDacl(source, &daclPresent, &dacl, &daclDefaulted) ||
        !SetSecurityDescriptorDacl(&descriptor, daclPresent, dacl, daclDefaulted))
        return Fail(::GetLastError());
    securityAttributes.lpSecurityDescriptor = &descriptor;
    return TRUE;
}

// 0 once the lock is held, else ERROR_TIMEOUT. Nobody holds the lock of a block this small for
// lockTimeout while working on it: a holder that long has died with it taken (a semaphore has no owner
// the system could free it for). This caller fails without touching the block and frees the lock, so the
// next operation, here or in another process, goes on.
DWORD CSharedMemory::AcquireLock(CSingleLock* block)
{
    if (block->Lock(lockTimeout))
        return 0;
    lock->Unlock();
    return ERROR_TIMEOUT;
}

// Walks the items from offset 8 until one named name. Returns 0 with offset at that item; or
// ERROR_FILE_NOT_FOUND with offset at the end of the last item; or ERROR_FILE_CORRUPT when the count
// or a value size stored in the block would lead the walk outside it.
DWORD CSharedMemory::FindItem(const WCHAR* name, DWORD* offset)
{
    size_t nameUnits = wcslen(name);
    size_t compareBytes = nameUnits < maxNameUnits ? (nameUnits + 1) * sizeof(WCHAR) : 0;
    if (size < headerSize)
        return ERROR_FILE_CORRUPT;
    DWORD count = ReadWord(view);
    DWORD at = headerSize;
    for (DWORD index = 0; index < count; ++index) {
        if (size - at < itemHeaderSize)
            return ERROR_FILE_CORRUPT;
        DWORD valueSize = ReadWord(view + at + itemNameBytes);
        if (valueSize > size - at - itemHeaderSize)
            return ERROR_FILE_CORRUPT;
        if (compareBytes && memcmp(view + at, name, compareBytes) == 0) {
            *offset = at;
            return 0;
        }
        at += itemHeaderSize + valueSize;
    }
    *offset = at;
    return ERROR_FILE_NOT_FOUND;
}

// Creates (or opens) the manual-reset event name + suffix, sets it and closes it again. It only tells
// others that something changed (nobody in this system waits on it), so an event that cannot be made,
// for example because another process holds an object of another kind under that name, is passed over.
void CSharedMemory::Announce(const char* name, const char* suffix)
{
    char* eventName = JoinName(name, suffix);
    if (!eventName)
        return;
    CEvent event(FALSE, TRUE, eventName, Attributes());
    delete[] eventName;
    if (event.IsValid())
        event.SetEvent();
}

BOOL CSharedMemory::AddItem(const char* name, DWORD itemSize)
{
    Access access(this);
    if (DWORD error = access.Error())
        return Fail(error);

    if (itemSize == 0)
        return Fail(ERROR_BAD_LENGTH);
    if (!name)
        return Fail(ERROR_INVALID_PARAMETER);
    if (strlen(name) + 1 > maxNameUnits)
        return Fail(RPC_S_STRING_TOO_LONG);
    WideName wideName(name);
    if (wideName.Error())
        return Fail(wideName.Error());

    if (size < headerSize)
        return Fail(ERROR_FILE_CORRUPT);
    if (ReadWord(view) == 0)
        memset(view + headerSize, 0, size - headerSize);
    DWORD end;
    DWORD found = FindItem(wideName.Text(), &end);
    if (found == 0)
        return Fail(ERROR_ALREADY_EXISTS);
    if (found != ERROR_FILE_NOT_FOUND)
        return Fail(found);
    if (size - end < itemHeaderSize || itemSize > size - end - itemHeaderSize)
        return Fail(ERROR_OUTOFMEMORY);

    BYTE header[itemHeaderSize] = {};
    memcpy(header, wideName.Text(), (wcslen(wideName.Text()) + 1) * sizeof(WCHAR));
    WriteWord(header + itemNameBytes, itemSize);
    memcpy(view + end, header, sizeof header);
    WriteWord(view, ReadWord(view) + 1);

    // The item is in the block now: the result says so whatever becomes of the announcement.
    Announce(blockName, "_Event");
    return TRUE;
}

BOOL CSharedMemory::WriteItem(const char* name, const void* data, DWORD length)
{
    Access access(this);
    if (DWORD error = access.Error())
        return Fail(error);

    if (length == 0)
        return Fail(ERROR_BAD_LENGTH);
    WideName wideName(name);
    if (wideName.Error())
        return Fail(wideName.Error());
    DWORD at;
    if (DWORD error = FindItem(wideName.Text(), &at))
        return Fail(error);
    DWORD valueSize = ReadWord(view + at + itemNameBytes);
    if (length > valueSize)
        return Fail(ERROR_NOT_ENOUGH_MEMORY);
    if (!data)
        return Fail(ERROR_INVALID_PARAMETER);

    BYTE* value = view + at + itemHeaderSize;
    memset(value, 0, valueSize);
    memcpy(value, data, length);

    // The value is written: the result says so whatever becomes of the announcement.
    Announce(name, "_Event");
    return TRUE;
}

BOOL CSharedMemory::ReadItem(const char* name, void* buffer, DWORD* length)
{
    Access access(this);
    if (DWORD error = access.Error())
        return Fail(error);

    WideName wideName(name);
    if (wideName.Error())
        return Fail(wideName.Error());
    if (!length)
        return Fail(ERROR_INVALID_PARAMETER);
    DWORD at;
    if (DWORD error = FindItem(wideName.Text(), &at))
        return Fail(error);
    DWORD valueSize = ReadWord(view + at + itemNameBytes);
    if (!buffer) {
        *length = valueSize;
        return TRUE;
    }
    if (*length < valueSize) {
        *length = valueSize;
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    *length = valueSize;
    memcpy(buffer, view + at + itemHeaderSize, valueSize);
    return TRUE;
}

BOOL CSharedMemory::HasItem(const char* name)
{
    if (!ready)
        return Fail(ERROR_OBJECT_NOT_FOUND);
    WideName wideName(name);
    if (wideName.Error())
        return Fail(wideName.Error());
    Access access(this);
    if (DWORD error = access.Error())
        return Fail(error);
    DWORD at;
    DWORD found = FindItem(wideName.Text(), &at);
    if (found != 0 && found != ERROR_FILE_NOT_FOUND)
        return Fail(found);
    lastError = 0;
    return found == 0;
}
