#include "settings/input_record.h"

#include "settings/settings_merge.h"

size_t CopyInputRecord(const DEVMODEW* input, DocumentSettings* copy)
{
    ZeroMemory(copy, sizeof(*copy));
    if (!input)
        return 0;
    size_t bytes = ClaimedRecordBytes(input);
    if (bytes > sizeof(*copy))
        bytes = sizeof(*copy);
    CopyMemory(copy, input, bytes);
    return bytes;
}
