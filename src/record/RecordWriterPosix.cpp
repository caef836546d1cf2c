#include "record/RecordWriter.h"

#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int kWriterNice = 10;

} // namespace

void RecordWriter::lowerThisThreadsPriority()
{
    // On Linux a nice value given to a thread's own id is that thread's alone.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kWriterNice);
}
