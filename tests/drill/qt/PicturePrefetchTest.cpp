#include "drill/qt/PicturePrefetch.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Records every decode with the thread it ran on, and gives a picture of the asked size whose
// colour tells which file it came from and how many decodes came before.
class RecordingDecoder
{
public:
    PicturePrefetch::Decoder decoder()
    {
        return [this](const QString& path, QSize size) {
            std::lock_guard lock(m_mutex);
            m_decodes.push_back({ path, size, std::this_thread::get_id() });
            QImage image(size, QImage::Format_RGB32);
            image.fill(qRgb(static_cast<int>(m_decodes.size()), 0, 0));
            return image;
        };
    }

    struct Decode
    {
        QString path;
        QSize size;
        std::thread::id thread;
    };
    std::vector<Decode> decodes()
    {
        std::lock_guard lock(m_mutex);
        return m_decodes;
    }

private:
    std::mutex m_mutex;
    std::vector<Decode> m_decodes;
};

class PicturePrefetchTest : public ::testing::Test
{
protected:
    QString file(const QString& name, const QByteArray& bytes = "picture")
    {
        const QString path = dir.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }

    QTemporaryDir dir;
    RecordingDecoder recorder;
    PicturePrefetch prefetch { recorder.decoder() };
    const QSize box { 64, 48 };
};

TEST_F(PicturePrefetchTest, TheNextCardIsDecodedOnTheWorkerAndTheCurrentOneIsKept)
{
    const QString dog = file(QStringLiteral(u"いぬ.jpg"));
    const QString cat = file(QStringLiteral(u"ねこ.jpg"));

    // The first card: nothing was prepared, so it is decoded here.
    const QImage first = prefetch.take(dog, box);
    ASSERT_EQ(recorder.decodes().size(), 1u);
    EXPECT_EQ(recorder.decodes()[0].thread, std::this_thread::get_id());
    EXPECT_EQ(first.size(), box);

    prefetch.prepare(cat, box);
    // Taken at once, the worker may still be at it: the picture is waited for, not decoded twice.
    const QImage next = prefetch.take(cat, box);
    ASSERT_EQ(recorder.decodes().size(), 2u);
    EXPECT_EQ(recorder.decodes()[1].path, cat);
    EXPECT_NE(recorder.decodes()[1].thread, std::this_thread::get_id());
    EXPECT_EQ(qRed(next.pixel(0, 0)), 2);

    // A wrong answer: the same card again, from memory.
    EXPECT_EQ(prefetch.take(cat, box), next);
    prefetch.prepare(cat, box);
    EXPECT_TRUE(prefetch.preparedPath().isEmpty()) << "the card on screen is not prepared again";
    EXPECT_EQ(recorder.decodes().size(), 2u);
}

TEST_F(PicturePrefetchTest, AnotherCardAnotherSizeOrAChangedFileIsDecodedAfresh)
{
    const QString dog = file(QStringLiteral(u"いぬ.jpg"));
    const QString cat = file(QStringLiteral(u"ねこ.jpg"));
    const QString bear = file(QStringLiteral(u"くま.jpg"));

    // A reshuffle: the prepared card is not the one presented.
    prefetch.prepare(cat, box);
    ASSERT_TRUE(prefetch.waitUntilPrepared(30s));
    prefetch.prepare(bear, box);
    EXPECT_EQ(prefetch.preparedPath(), bear) << "the card that no longer comes next is dropped";
    ASSERT_TRUE(prefetch.waitUntilPrepared(30s));
    prefetch.take(dog, box);
    EXPECT_EQ(recorder.decodes().back().path, dog);
    EXPECT_EQ(recorder.decodes().back().thread, std::this_thread::get_id());

    // Prepared for a window of another size.
    prefetch.prepare(cat, box);
    ASSERT_TRUE(prefetch.waitUntilPrepared(30s));
    const QSize wider(80, 48);
    EXPECT_EQ(prefetch.take(cat, wider).size(), wider);
    EXPECT_EQ(recorder.decodes().back().thread, std::this_thread::get_id());

    // Replaced on disk by the teacher after it was prepared.
    prefetch.prepare(bear, wider);
    ASSERT_TRUE(prefetch.waitUntilPrepared(30s));
    file(QStringLiteral(u"くま.jpg"), "another, longer picture");
    const std::size_t before = recorder.decodes().size();
    prefetch.take(bear, wider);
    ASSERT_EQ(recorder.decodes().size(), before + 1);
    EXPECT_EQ(recorder.decodes().back().thread, std::this_thread::get_id());

    // Dropped: nothing stays prepared.
    prefetch.prepare(dog, wider);
    prefetch.drop();
    EXPECT_FALSE(prefetch.waitUntilPrepared(30s));
    EXPECT_TRUE(prefetch.preparedPath().isEmpty());
}

} // namespace
