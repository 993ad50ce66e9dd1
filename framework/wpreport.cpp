// Reports of the tracked heap and the out-of-memory prompt.
#include "wpapp.h"

#include "wpplatform.h"

void WPApp::ObjectReport() {
    long objects = static_cast<long>(local.count) + bigCount - baseCount;
    while (subHeaps) {
        objects += subHeaps->count;
        RemoveSubHeap(subHeaps);
    }
    if (objects != 0 && !objectsReported_) WPError("%ld objects remaining!", objects);
}

int WPApp::HeapReport(int withCancel) {
    FormatHeapReport(buf, sizeof buf, bigCount, bigBytes, local, subHeaps);
    return Platform().ShowMessageBox(nullptr, buf, GetName(), withCancel ? MB_OKCANCEL : MB_OK);
}

void WPApp::AllHeapReports() {
    HeapReport(0);
    for (WPApp* app = appList; app; app = app->next) {
        if (app == this) continue;
        if (app->HeapReport(1) == IDCANCEL) break;
    }
}

int WPOutOfMemoryPrompt(unsigned short) {
    int answer = Platform().ShowMessageBox(nullptr, kOutOfMemoryText, "ATTENTION",
                                           MB_RETRYCANCEL | MB_ICONHAND);
    if (answer == IDRETRY) return 1;
    wpApp.ObjectReport();
    wpApp.objectsReported_ = true;
    Platform().EndProcess(-1);
    return 0;
}
