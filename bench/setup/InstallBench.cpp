// bench_setup_install.exe: the install run's speed.
// 1. The whole run (progress dialog, four timer-driven steps) against its floor: the worker's own time
//    plus one 1000 ms poll and the four 10 ms step timers.
// 2. The worker's copy throughput against CopyFileA of the same files in the same run.
// The sample installation source of this tree is installed into a scratch folder; this process's registry
// roots are redirected to scratch keys. Medians in milliseconds and ratios.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>
#include "Stopwatch.h"
#include "setup/install/CopyWorker.h"
#include "setup/wizard/InstallProgress.h"
#include "setup/wizard/RunInstall.h"
#include "setup/install/UninstallLog.h"
#include "tests/support/ScratchFolder.h"

namespace {

constexpr int runs = 5;
constexpr double pollPeriod = 1000;
constexpr double stepTimers = 4 * 10;

std::string Scratch()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    return std::string(temp) + "ferrowin-bench-install";
}

// Every file the worker copies, as source paths, and their bytes in all.
std::vector<std::string> SourceFiles(const std::string& source, double& bytes)
{
    std::vector<std::string> files;
    for (const char* name : mainFiles)
        files.push_back(source + "\\" + name);
    files.push_back(source + "\\HESKAR.VXD");
    for (const char* name : languageFiles)
        files.push_back(source + "\\enu\\" + name);
    files.push_back(source + "\\is-00001\\uninst.enu");
    files.push_back(source + "\\uninst00.exe");
    bytes = 0;
    for (const std::string& file : files) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data))
            bytes += data.nFileSizeLow;
    }
    return files;
}

}

int main()
{
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof(module));
    std::string bin(module, strrchr(module, '\\'));
    std::string source = bin + "\\..\\setupsource";
    std::string scratch = Scratch();
    RemoveTree(scratch);
    CreateDirectoryA(scratch.c_str(), nullptr);
    std::string programs = scratch + "\\Programs";
    CreateDirectoryA(programs.c_str(), nullptr);
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof(windows));
    CreateDirectoryA((std::string(windows) + "\\system").c_str(), nullptr);

    HKEY machine, user, folders;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\FerrowinBench\\machine", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &machine, nullptr);
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\FerrowinBench\\user", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &user, nullptr);
    RegCreateKeyExA(user, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0, nullptr, 0,
                    KEY_ALL_ACCESS, nullptr, &folders, nullptr);
    RegSetValueExA(folders, "Programs", 0, REG_SZ, reinterpret_cast<const BYTE*>(programs.c_str()),
                   static_cast<DWORD>(programs.size() + 1));
    RegCloseKey(folders);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine);
    RegOverridePredefKey(HKEY_CURRENT_USER, user);

    lstrcpynA(g_setup.sourceDir, source.c_str(), MAX_PATH);
    g_setup.languageExt = "enu";
    double bytes = 0;
    std::vector<std::string> files = SourceFiles(source, bytes);
    std::vector<double> whole, worker, copyFile;
    for (int run = 0; run < runs; ++run) {
        std::string destination = scratch + "\\run" + std::to_string(run);
        lstrcpynA(g_setup.installDir, destination.c_str(), MAX_PATH);
        double start = Now();
        RunInstall(nullptr);
        whole.push_back(Now() - start);

        InstallValues values = CurrentInstallValues();
        start = Now();
        RunCopySteps(values, g_setup);
        worker.push_back(Now() - start);
        CloseUninstallLog(g_setup);

        std::string copies = scratch + "\\copy" + std::to_string(run);
        CreateDirectoryA(copies.c_str(), nullptr);
        start = Now();
        int n = 0;
        for (const std::string& file : files)
            CopyFileA(file.c_str(), (copies + "\\" + std::to_string(n++)).c_str(), FALSE);
        copyFile.push_back(Now() - start);
    }
    double workerMs = Median(worker), wholeMs = Median(whole), copyMs = Median(copyFile);
    double floorMs = workerMs + pollPeriod + stepTimers;
    printf("install run (dialog, 4 steps)        median %8.2f ms\n", wholeMs);
    printf("floor (worker + 1000 ms poll + 4x10) median %8.2f ms   run / floor %.3f\n", floorMs, wholeMs / floorMs);
    printf("copy worker (%zu files, %.0f bytes)   median %8.2f ms   %.2f MB/s\n", files.size(), bytes, workerMs,
           bytes / workerMs / 1000);
    printf("CopyFileA of the same files          median %8.2f ms   %.2f MB/s   worker / CopyFileA time %.3f\n", copyMs,
           bytes / copyMs / 1000, workerMs / copyMs);

    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(machine);
    RegCloseKey(user);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\FerrowinBench");
    DeleteFileA((std::string(windows) + "\\system\\HESKAR.VXD").c_str());
    RemoveTree(scratch);
    return 0;
}
