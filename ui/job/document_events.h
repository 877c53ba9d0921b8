// The graphics engine's document events for a device context of a printer.
#ifndef MARTENUI_DOCUMENT_EVENTS_H
#define MARTENUI_DOCUMENT_EVENTS_H

#include <windows.h>

// DOCUMENTEVENT_SUCCESS (1) whether or not the event was acted on, but for
// two failures (DOCUMENTEVENT_FAILURE, the reason as the last error): a
// context whose shared block cannot be made, and a context or document
// whose printer's installed options are stored but cannot be read.
int HandleDocumentEvent(HANDLE printer, HDC dc, int event, ULONG inputSize, void* input);

#endif
