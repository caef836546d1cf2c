#include "drill/qt/PicturePrefetch.h"

#include <QFileInfo>

bool PicturePrefetch::Key::operator==(const Key& other) const
{
    return path == other.path && size == other.size && fileSize == other.fileSize
        && modified == other.modified && changed == other.changed;
}

PicturePrefetch::PicturePrefetch(Decoder decoder)
    : m_decoder(std::move(decoder))
{
    // Sleeps until a picture is prepared: no wake-up while the drill waits for a key.
    m_worker.reset(QThread::create([this] { work(); }));
    m_worker->start();
}

PicturePrefetch::~PicturePrefetch()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_worker->wait();
}

PicturePrefetch::Key PicturePrefetch::keyOf(const QString& path, QSize size)
{
    const QFileInfo info(path);
    if (!info.exists())
        return { path, size, -1, {}, {} };
    return { path, size, info.size(), info.lastModified(), info.metadataChangeTime() };
}

void PicturePrefetch::prepare(const QString& path, QSize size)
{
    if (path.isEmpty()) {
        drop();
        return;
    }
    const Key key = keyOf(path, size);
    if (!m_shownKey.path.isEmpty() && key == m_shownKey)
        return; // the card on screen comes again: it is kept anyway
    {
        std::lock_guard lock(m_mutex);
        if (m_state != State::Empty && m_preparedKey == key)
            return;
        m_preparedKey = key;
        m_prepared = QImage();
        m_state = State::Queued;
    }
    m_changed.notify_all();
}

QImage PicturePrefetch::take(const QString& path, QSize size)
{
    const Key key = keyOf(path, size);
    if (!m_shownKey.path.isEmpty() && key == m_shownKey)
        return m_shown;

    QImage image;
    bool prepared = false;
    {
        std::unique_lock lock(m_mutex);
        if (m_state != State::Empty && m_preparedKey == key) {
            // Decoding it here as well would only take longer than waiting for the worker.
            m_changed.wait(lock, [this] { return m_state == State::Ready; });
            image = std::move(m_prepared);
            m_prepared = QImage();
            m_preparedKey = Key {};
            m_state = State::Empty;
            prepared = true;
        }
    }
    if (!prepared)
        image = m_decoder(path, size);
    m_shownKey = key;
    m_shown = image;
    return image;
}

void PicturePrefetch::drop()
{
    std::lock_guard lock(m_mutex);
    m_preparedKey = Key {};
    m_prepared = QImage();
    m_state = State::Empty;
}

bool PicturePrefetch::waitUntilPrepared(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(
        lock, timeout, [this] { return m_state == State::Ready || m_state == State::Empty; });
    return m_state == State::Ready;
}

QString PicturePrefetch::preparedPath() const
{
    std::lock_guard lock(m_mutex);
    return m_state == State::Empty ? QString() : m_preparedKey.path;
}

void PicturePrefetch::work()
{
    while (true) {
        Key key;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_quit || m_state == State::Queued; });
            if (m_quit)
                return;
            key = m_preparedKey;
            m_state = State::Decoding;
        }
        QImage image = m_decoder(key.path, key.size);
        {
            std::lock_guard lock(m_mutex);
            // Dropped or replaced meanwhile: the picture is simply thrown away.
            if (m_state == State::Decoding && m_preparedKey == key) {
                m_prepared = std::move(image);
                m_state = State::Ready;
            }
        }
        m_changed.notify_all();
    }
}
