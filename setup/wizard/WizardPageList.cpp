#include "setup/wizard/WizardPageList.h"
#include "setup/wizard/resource.h"
#include "setup/wizard/DestinationPage.h"
#include "setup/wizard/FinishPage.h"
#include "setup/wizard/LanguagePage.h"
#include "setup/wizard/ProgramFolderPage.h"
#include "setup/wizard/ReadmePage.h"
#include "setup/wizard/ReadyPage.h"
#include "setup/wizard/WelcomePage.h"
#include <new>
#include <stdlib.h>

namespace {

constexpr int pageMargin = 5;   // from the frame's right edge
constexpr int pageTop = 1;

}

CWizardPageList::CWizardPageList() : pages(nullptr), count(0), capacity(0), current(-1)
{
}

CWizardPageList::~CWizardPageList()
{
    DestroyAll();
}

CDialog* CWizardPageList::MakePage(UINT templateId)
{
    switch (templateId) {
    case IDD_PAGE_LANGUAGE:
        return new (std::nothrow) CLanguagePage;
    case IDD_PAGE_WELCOME:
        return new (std::nothrow) CWelcomePage;
    case IDD_PAGE_README:
        return new (std::nothrow) CReadmePage;
    case IDD_PAGE_DESTINATION:
        return new (std::nothrow) CDestinationPage;
    case IDD_PAGE_PROGRAM_FOLDER:
        return new (std::nothrow) CProgramFolderPage;
    case IDD_PAGE_READY:
        return new (std::nothrow) CReadyPage;
    case IDD_PAGE_FINISH:
        return new (std::nothrow) CFinishPage;
    default:
        return new (std::nothrow) CDialog(templateId);
    }
}

bool CWizardPageList::Append(CDialog* page)
{
    if (count == capacity) {
        int grown = capacity ? capacity * 2 : 8;
        CDialog** larger = static_cast<CDialog**>(realloc(pages, sizeof(CDialog*) * grown));
        if (!larger)
            return false;
        pages = larger;
        capacity = grown;
    }
    pages[count++] = page;
    return true;
}

bool CWizardPageList::AddPage(UINT templateId, CWnd* frame)
{
    CDialog* page = MakePage(templateId);
    if (!page)
        return false;
    if (!Append(page)) {
        delete page;
        return false;
    }
    if (!frame || !page->Create(templateId, frame->hwnd))
        return true;
    RECT frameRect, pageRect;
    ::GetWindowRect(frame->hwnd, &frameRect);
    page->GetWindowRect(&pageRect);
    int x = (frameRect.right - frameRect.left) - (pageRect.right - pageRect.left) - pageMargin;
    page->SetWindowPos(nullptr, x, pageTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

bool CWizardPageList::ShowPage(int index)
{
    if (index > count - 1)
        return false;
    if (index >= 0) {
        if (current >= 0) {
            if (!pages[current]->IsWindow())
                return false;
            pages[current]->ShowWindow(SW_HIDE);
        }
        current = index;
    } else if (current < 0) {
        current = 0;
    }
    return ShowCurrentPage() != nullptr;
}

CDialog* CWizardPageList::GetPage(int index) const
{
    if (index < 0 || index >= count || !pages[index]->IsWindow())
        return nullptr;
    return pages[index];
}

CDialog* CWizardPageList::ShowCurrentPage()
{
    CDialog* page = GetPage(current);
    if (!page)
        return nullptr;
    page->ShowWindow(SW_SHOW);
    ::RedrawWindow(page->hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    return page;
}

void CWizardPageList::DestroyAll()
{
    for (int index = 0; index < count; ++index) {
        if (pages[index]->IsWindow())
            pages[index]->DestroyWindow();
        delete pages[index];
    }
    free(pages);
    pages = nullptr;
    count = capacity = 0;
    current = -1;
}
