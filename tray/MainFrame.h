// CMainFrame: the tray application's hidden main window. Its creation starts the property program and
// installs the mouse hook; a 30 ms watchdog closes it when the property program has ended.
#pragma once
#include "framework/FrameWnd.h"
#include "shared/MouseHookExports.h"
#include "tray/PadLauncher.h"

class CSystemTray;

class CMainFrame : public CFrameWnd {
public:
    CMainFrame();
    ~CMainFrame() override;   // stops the hook, frees the library, releases a pad, deletes the tray icon

    CPadLauncher& PadLauncher() { return padLauncher; }

    static constexpr UINT watchdogTimer = 1;
    static constexpr UINT watchdogInterval = 30;

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCMainFrame;

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;

    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    void OnLaunchMouseProperty();
    LRESULT OnOpenPad(WPARAM wParam, LPARAM lParam);
    LRESULT OnClose(WPARAM wParam, LPARAM lParam);
    void OnExit();
    LRESULT OnIconNotify(WPARAM wParam, LPARAM lParam);
    void OnWatchdogTimer(UINT_PTR timer);

private:
    BOOL StartStartupWorker();
    void BindHookLibrary();

    CSystemTray* trayIcon;
    HMODULE hookLibrary;
    StartHookFunction startHook;
    StopHookFunction stopHook;
    CPadLauncher padLauncher;
};
