// The installer's painting: a full-screen backdrop (1024 x 768) repainted with GradientPaint against one
// FillRect of the same area, and a label restyled by a chain of five setters (five repaints) against a
// plain SetWindowText of a static control, all in one window on the display, medians of alternating rounds.
#include <stdio.h>
#include <vector>
#include "MessagePump.h"
#include "Stopwatch.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "setup/controls/GradientBands.h"
#include "setup/controls/StyledStatic.h"

namespace {

const UINT IDD_CONTROLS = 200;
const int rounds = 15;

class CBenchDialog : public CDialog {
public:
    CBenchDialog() : CDialog(IDD_CONTROLS) {}
    CStyledStatic label;

protected:
    void DoDataExchange(CDataExchange* exchange) override { exchange->BindControl(1000, label); }
};

// Milliseconds per call of operation over count calls.
template <class Operation> double Time(int count, Operation operation)
{
    double start = Now();
    for (int i = 0; i < count; ++i)
        operation(i);
    GdiFlush();
    return (Now() - start) / count;
}

}  // namespace

int main()
{
    const int width = 1024, height = 768;
    HWND backdrop = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                    nullptr, nullptr, nullptr, nullptr);
    GradientBands* bands = GradientCreate();
    if (!backdrop || !bands) {
        printf("no backdrop window or bands\n");
        return 1;
    }
    GradientSetColors(RGB(0, 0, 255), RGB(0, 0, 0), bands);
    RECT area = {0, 0, width, height};
    Pump(50);

    HBRUSH plain = CreateSolidBrush(RGB(0, 0, 128));
    std::vector<double> gradient, fill, layoutAndPaint;
    HDC dc = GetDC(backdrop);
    for (int round = 0; round < rounds; ++round) {
        GradientLayout(area, bands);
        gradient.push_back(Time(20, [&](int) { GradientPaint(dc, bands); }));
        fill.push_back(Time(20, [&](int) { FillRect(dc, &area, plain); }));
        layoutAndPaint.push_back(Time(5, [&](int) {
            GradientLayout(area, bands);
            GradientPaint(dc, bands);
        }));
    }
    ReleaseDC(backdrop, dc);
    DeleteObject(plain);
    printf("backdrop %dx%d, %d bands\n", width, height, bands->bandCount);
    printf("  GradientPaint            %8.3f ms\n", Median(gradient));
    printf("  one FillRect             %8.3f ms\n", Median(fill));
    printf("  ratio                    %8.1f x\n", Median(gradient) / Median(fill));
    printf("  layout + paint (resize)  %8.3f ms\n", Median(layoutAndPaint));
    GradientFree(bands);
    DestroyWindow(backdrop);

    CBenchDialog dialog;
    if (!dialog.Create() || !dialog.label.hwnd) {
        printf("no dialog\n");
        return 1;
    }
    HWND plainLabel = dialog.GetDlgItem(1003);
    Pump(50);
    std::vector<double> chain, setText;
    const char* texts[2] = {"Destination folder", "Program folder"};
    for (int round = 0; round < rounds; ++round) {
        chain.push_back(Time(10, [&](int i) {
            dialog.label.SetLabelColor(RGB(0, 0, 128 + i))
                .SetLabelText(texts[i & 1])
                .SetLabelBold(i & 1)
                .SetLabelItalic(TRUE)
                .SetLabelPointSize(12 + (i & 1));
        }));
        setText.push_back(Time(10, [&](int i) {
            SetWindowTextA(plainLabel, texts[i & 1]);
            UpdateWindow(plainLabel);
        }));
    }
    printf("label restyle\n");
    printf("  chain of five setters    %8.3f ms\n", Median(chain));
    printf("  SetWindowText            %8.3f ms\n", Median(setText));
    printf("  ratio                    %8.1f x\n", Median(chain) / Median(setText));
    return 0;
}
