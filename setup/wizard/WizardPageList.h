// CWizardPageList: the frame's pages in order, each a modeless child dialog of the frame, with the index of
// the one shown. Destroying the list destroys every page window and deletes every page.
#pragma once
#include <windows.h>
#include "framework/Dialog.h"

class CWizardPageList {
public:
    CWizardPageList();
    ~CWizardPageList();
    CWizardPageList(const CWizardPageList&) = delete;
    CWizardPageList& operator=(const CWizardPageList&) = delete;

    // Makes the page for a template id, creates it in the frame and places it at the frame's right edge;
    // false only when the page cannot be allocated.
    bool AddPage(UINT templateId, CWnd* frame);
    // -1: the current page, or the first when none is current. Hides the current page, makes index
    // current, shows and repaints it; false for an index past the end or a page without its window.
    bool ShowPage(int index);
    // The page at index when its window exists, else null.
    CDialog* GetPage(int index) const;
    // Shows and repaints the current page; null when it has no window.
    CDialog* ShowCurrentPage();
    // Destroys every page window and deletes every page, in index order.
    void DestroyAll();

    int Count() const { return count; }
    int Current() const { return current; }

private:
    static CDialog* MakePage(UINT templateId);
    bool Append(CDialog* page);

    CDialog** pages;
    int count;
    int capacity;
    int current;   // -1: none shown yet
};
