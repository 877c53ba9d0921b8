#include "job/document_events.h"

int HandleDocumentEvent(HANDLE /*printer*/, HDC /*dc*/, int /*event*/, ULONG /*inputSize*/, void* /*input*/)
{
    return 1;
}
