// Dialog data exchange: a dialog's DoDataExchange binds its controls to C++ objects (and, where a class
// wants it, moves values between controls and members) through one CDataExchange per exchange.
#pragma once
#include <windows.h>

class CWnd;

class CDataExchange {
public:
    // saveAndValidate: TRUE copies from the controls into the members, FALSE the other way.
    CDataExchange(CWnd* dialog, BOOL saveAndValidate);

    // Binds control id of the dialog to control by subclassing it, once: a control already bound to this
    // object is left as it is. A missing control, or one bound to another object, fails the exchange.
    void BindControl(int id, CWnd& control);
    // Moves the text of control id to or from text, a buffer of size bytes: saving cuts a longer text at
    // size - 1 characters, always terminated. A missing control fails the exchange and leaves text alone.
    void ExchangeText(int id, char* text, int size);

    CWnd* dialog;
    BOOL saveAndValidate;
    BOOL failed;         // set by the first exchange step that failed
    int failedId;        // the control of that step
};
