// The graphics engine's document events for a device context of a printer.
#ifndef MARTENUI_DOCUMENT_EVENTS_H
#define MARTENUI_DOCUMENT_EVENTS_H

#include <windows.h>

// Always DOCUMENTEVENT_SUCCESS (1), whether or not the event was acted on.
int HandleDocumentEvent(HANDLE printer, HDC dc, int event, ULONG inputSize, void* input);

#endif
