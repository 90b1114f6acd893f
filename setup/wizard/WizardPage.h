// CWizardPage: one page of the wizard, a child dialog of the frame. Each time it is shown it sets the
// frame's caption and its heading to its title and then its own texts, so a change of language reaches
// every page it has not yet shown. As a child dialog it hands Enter and Esc to the frame (Esc is the
// wizard's Cancel) and is never ended by them.
#pragma once
#include <stddef.h>
#include <string.h>
#include <windows.h>
#include "framework/Dialog.h"
#include "setup/controls/EditEx.h"
#include "setup/controls/StyledStatic.h"
#include "setup/engine/UiTexts.h"

class CWizardPage : public CDialog {
public:
    CWizardPage(UINT templateId, UiTextId title);

    // The page's title in the current language.
    const char* Title() const { return UiCaption(title); }

    // The two label looks of every page.
    static void ApplyHeadingStyle(CStyledStatic& label, const char* text, int points = headingPoints);
    static void ApplyBodyStyle(CStyledStatic& label, const char* text);
    // The folder fields of the destination and program-folder pages: blue on white, heavy serif, and no
    // longer than a path (a longer one would be cut into another folder).
    static void StyleFolderEdit(CEditEx& edit);

    static constexpr int headingPoints = 15;
    static constexpr int bodyPoints = 9;
    static constexpr COLORREF headingColor = RGB(0, 0, 255);

protected:
    // The page's own part of the show step, after the caption and heading.
    virtual void OnShowPage() {}
    // The heading's size in the show step.
    virtual int ShowHeadingPoints() const { return headingPoints; }

    // The page joins the frame's keyboard navigation (a control parent: Tab reaches its controls and the
    // frame's buttons alike); its window style stays that of its template.
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    LRESULT OnShowWindow(WPARAM wParam, LPARAM lParam);

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageEntry messageEntries[];
    static const MessageMap messageMap;

    UiTextId title;
    CStyledStatic heading;
};

// Appends more to the terminated text in a buffer of size bytes, cutting what does not fit: for display
// texts only (a path that is cut names another file; the install steps refuse those with AppendText).
// Internal linkage: no other definition in the library can stand in for it, nor it for another.
static inline void AppendClipped(char* text, size_t size, const char* more)
{
    if (!text || size == 0 || !more)
        return;
    size_t used = strlen(text);
    if (used > size - 1)
        used = size - 1;
    size_t length = strlen(more);
    if (length > size - 1 - used)
        length = size - 1 - used;
    memcpy(text + used, more, length);
    text[used + length] = '\0';
}
