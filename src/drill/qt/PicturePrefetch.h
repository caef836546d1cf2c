#pragma once

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

// Decodes the card that comes next on a worker thread while the child works on the current one,
// so that the next card is on screen at once however large its photo. It also keeps the picture
// shown last: a wrong answer presents the same card again without decoding it again. The worker
// only decodes; everything else stays on the user-interface thread, which is the only caller.
//
// A picture is known by its file (path, size on disk and modification time, so that a picture the
// teacher replaced is read again) and by the size it is decoded at: one prepared for another
// window size, or for a card that no longer comes next, is dropped.
class PicturePrefetch
{
public:
    using Decoder = std::function<QImage(const QString& path, QSize size)>;

    explicit PicturePrefetch(Decoder decoder);
    ~PicturePrefetch();
    PicturePrefetch(const PicturePrefetch&) = delete;
    PicturePrefetch& operator=(const PicturePrefetch&) = delete;

    // Starts decoding the picture on the worker, unless it is already prepared or shown; a
    // different picture prepared before is dropped. An empty path only drops it.
    void prepare(const QString& path, QSize size);
    // The picture for the card being presented: the prepared one (waiting for the worker if it is
    // still at it), the one shown last, or else decoded now. Null when it cannot be read.
    QImage take(const QString& path, QSize size);
    void drop();

    // For tests and measurements.
    bool waitUntilPrepared(std::chrono::milliseconds timeout) const;
    QString preparedPath() const;

private:
    struct Key
    {
        QString path;
        QSize size;
        std::int64_t fileSize = -1;
        QDateTime modified;
        QDateTime changed;
        bool operator==(const Key& other) const;
    };
    enum class State
    {
        Empty,
        Queued,
        Decoding,
        Ready
    };

    static Key keyOf(const QString& path, QSize size);
    void work();

    Decoder m_decoder;

    // The picture shown last; the user-interface thread's own.
    Key m_shownKey;
    QImage m_shown;

    // The picture prepared for the next card, shared with the worker.
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    Key m_preparedKey;
    State m_state = State::Empty;
    QImage m_prepared;
    bool m_quit = false;
    // Qt's own thread, as it reads with Qt's image readers: a thread that Qt did not start is
    // adopted by Qt when it first reads, and on Windows such an adopted thread can leave the
    // program's exit waiting forever.
    std::unique_ptr<QThread> m_worker;
};
