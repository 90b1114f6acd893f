// CFrameWnd: a top-level window made from a resource set (menu, accelerators, icon, title string) that
// closes by destroying itself, ends the program when it is the main window, and deletes its own object.
#pragma once
#include "framework/Wnd.h"

// Frame style flag: a document's name would be added to the title (this framework has no documents, so
// the title is the resource set's string either way). Not a window style; removed before creation.
constexpr DWORD frameAddToTitle = 0x00008000L;

class CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the window from resource set resourceId: menu, accelerators and icon of that id when present,
    // and the string of that id up to its first '\n' as the title. The frame must live on the heap: on
    // failure the object has already been deleted.
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | frameAddToTitle,
                           CWnd* parent = nullptr);

    BOOL PreTranslateMessage(MSG* msg) override;   // the frame's accelerators

    HACCEL accelerators;
    char title[128];

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCFrameWnd;

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;

    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnClose(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);

    void PostNcDestroy() override;   // delete this
};
