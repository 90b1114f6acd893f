#include "ChildProcess.h"
#include "MessagePump.h"

std::string OwnPath()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    return path;
}

std::string ProgramFolder()
{
    const std::string folder = OwnPath();
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string OwnFileName()
{
    const std::string name = OwnPath();
    return name.substr(name.find_last_of('\\') + 1);
}

bool CopyBesideSelf(const char* from, const char* to)
{
    const std::string folder = ProgramFolder();
    return CopyFileA((folder + from).c_str(), (folder + to).c_str(), FALSE) != 0;
}

std::string CopySelfAsVersion(const std::string& name, const char* version)
{
    std::string copy = CopySelfAs(name.c_str());
    if (copy.empty() || !SetAppDefault(name.c_str(), nullptr, "Version", version))
        return "";
    return copy;
}

std::string CopySelfAs(const char* name)
{
    const std::string target = ProgramFolder() + name;
    if (!CopyFileA(OwnPath().c_str(), target.c_str(), FALSE))
        return std::string();
    return target;
}

bool SetAppDefault(const char* exeName, const char* subKey, const char* value, const char* data)
{
    std::string path = std::string("Software\\Wine\\AppDefaults\\") + exeName;
    if (subKey)
        path += std::string("\\") + subKey;
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL)
        != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExA(key, value, 0, REG_SZ, (const BYTE*)data, (DWORD)strlen(data) + 1);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

ChildResult RunChild(const std::string& path, const std::string& args, DWORD timeoutMs, bool pumpMessages)
{
    ChildResult result;
    char outputPath[MAX_PATH] = "";
    char tempFolder[MAX_PATH] = "";
    GetTempPathA(sizeof(tempFolder), tempFolder);
    if (!GetTempFileNameA(tempFolder, "chd", 0, outputPath)) {
        result.output = "no temporary file for the helper's output";
        return result;
    }
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), NULL, TRUE};
    HANDLE output = CreateFileA(outputPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                CREATE_ALWAYS, 0, NULL);
    if (output == INVALID_HANDLE_VALUE) {
        result.output = "cannot open the helper's output file";
        return result;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = output;
    std::string commandLine = "\"" + path + "\" " + args;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessA(path.c_str(), &commandLine[0], NULL, NULL, TRUE, 0, NULL, NULL,
                                        &startup, &process);
    CloseHandle(output);
    if (!started) {
        result.output = "cannot start " + commandLine;
        DeleteFileA(outputPath);
        return result;
    }
    if (pumpMessages) {
        const double end = Now() + timeoutMs;
        while (!result.finished && Now() < end) {
            result.finished =
                MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0;
            Pump(0);
        }
    } else {
        result.finished = WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    }
    if (result.finished) {
        GetExitCodeProcess(process.hProcess, &result.exitCode);
    } else {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    HANDLE input = CreateFileA(outputPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               OPEN_EXISTING, 0, NULL);
    if (input != INVALID_HANDLE_VALUE) {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(input, buffer, sizeof(buffer), &read, NULL) && read > 0)
            result.output.append(buffer, read);
        CloseHandle(input);
    }
    DeleteFileA(outputPath);
    return result;
}

HANDLE StartProgram(const std::string& exe, const std::string& arguments, const char* folder, DWORD* processId)
{
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, folder, &startup, &process))
        return NULL;
    CloseHandle(process.hThread);
    if (processId)
        *processId = process.dwProcessId;
    return process.hProcess;
}

DWORD WaitExit(HANDLE process, DWORD timeoutMs)
{
    DWORD code = 999;
    if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process, 998);
        WaitForSingleObject(process, timeoutMs);
    }
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code;
}
