#include "record/RecordWriter.h"

#include <windows.h>

void RecordWriter::lowerThisThreadsPriority()
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}
