#include "media/SoundFileCache.h"

#include "TempFolder.h"
#include "WaveBytes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace wavebytes;

// The cache takes UTF-8 names, as the player hands them on.
std::string utf8(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

TEST(SoundFileCacheTest, DecodesOnceAndNoticesEveryChangeOnDisk)
{
    TempFolder folder;
    const std::filesystem::path file = folder / "あ.wav";
    const std::string path = utf8(file);
    SoundFileCache cache;

    write(file, native({ 1, 2, 3 }));
    SharedSamples first = cache.load(path);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, (AudioSamples { 1, 2, 3 }));
    EXPECT_EQ(cache.load(path), first) << "the same file again comes from the cache";
    EXPECT_EQ(cache.decodeCount(), 1u);

    // Rewritten in place, as a recorder saving over the file does.
    write(file, native({ 4, 5, 6, 7 }));
    SharedSamples second = cache.load(path);
    ASSERT_TRUE(second);
    EXPECT_EQ(*second, (AudioSamples { 4, 5, 6, 7 }));

    // Replaced by another file of the same length, as a copy from a USB stick does.
    const std::filesystem::path other = folder / "other.wav";
    write(other, native({ 8, 9, 10, 11 }));
    std::filesystem::rename(other, file);
    SharedSamples third = cache.load(path);
    ASSERT_TRUE(third);
    EXPECT_EQ(*third, (AudioSamples { 8, 9, 10, 11 }));

    // Deleted: silence; then put back: heard again.
    std::filesystem::remove(file);
    EXPECT_FALSE(cache.load(path));
    write(file, native({ 12 }));
    ASSERT_TRUE(cache.load(path));
    EXPECT_EQ(*cache.load(path), (AudioSamples { 12 }));
}

TEST(SoundFileCacheTest, BrokenFileStaysSilentUntilRepaired)
{
    TempFolder folder;
    const std::filesystem::path file = folder / "ピンポン.wav";
    const std::string path = utf8(file);
    SoundFileCache cache;

    std::vector<std::uint8_t> bytes = native(std::vector<std::int16_t>(100, 3));
    bytes.resize(bytes.size() - 50);
    write(file, bytes);
    EXPECT_FALSE(cache.load(path));
    EXPECT_FALSE(cache.load(path));
    EXPECT_EQ(cache.decodeCount(), 1u) << "a broken file is not decoded again at every key";

    write(file, native(std::vector<std::int16_t>(100, 3)));
    ASSERT_TRUE(cache.load(path));
    EXPECT_EQ(cache.load(path)->size(), 100u);

    EXPECT_FALSE(cache.load(utf8(folder.path()))) << "a folder is no sound";
}

TEST(SoundFileCacheTest, NeverHoldsMoreThanItsCapacity)
{
    TempFolder folder;
    SoundFileCache cache;
    for (std::size_t i = 0; i < SoundFileCache::kCapacity + 10; ++i) {
        const std::string path = (folder / (std::to_string(i) + ".wav")).string();
        write(path, native({ static_cast<std::int16_t>(i) }));
        const SharedSamples samples = cache.load(path);
        ASSERT_TRUE(samples);
        EXPECT_EQ((*samples)[0], static_cast<std::int16_t>(i));
    }
    EXPECT_LE(cache.size(), SoundFileCache::kCapacity);
}

TEST(SoundFileCacheTest, KeepsWithinItsBytesLettingGoOfTheSoundHeardLeastRecently)
{
    TempFolder folder;
    SoundFileCache cache(3000); // bytes: two sounds of 600 samples, not three
    const auto path = [&](const char* name) { return (folder / name).string(); };
    for (const char* name : { "a.wav", "b.wav", "c.wav" })
        write(path(name), native(std::vector<std::int16_t>(600, 9)));

    ASSERT_TRUE(cache.load(path("a.wav")));
    ASSERT_TRUE(cache.load(path("b.wav")));
    ASSERT_TRUE(cache.load(path("a.wav")));
    ASSERT_TRUE(cache.load(path("c.wav"))); // b goes: a was heard after it
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_EQ(cache.bytes(), 2400u);
    EXPECT_EQ(cache.decodeCount(), 3u);
    ASSERT_TRUE(cache.load(path("a.wav")));
    EXPECT_EQ(cache.decodeCount(), 3u) << "a is still kept";
    ASSERT_TRUE(cache.load(path("b.wav")));
    EXPECT_EQ(cache.decodeCount(), 4u) << "b was let go";

    // A sound larger than the whole cache is heard, but not kept.
    write(path("long.wav"), native(std::vector<std::int16_t>(2000, 5)));
    const SharedSamples longSound = cache.load(path("long.wav"));
    ASSERT_TRUE(longSound);
    EXPECT_EQ(longSound->size(), 2000u);
    EXPECT_LE(cache.bytes(), 3000u);
    cache.load(path("long.wav"));
    EXPECT_EQ(cache.decodeCount(), 6u);
}

} // namespace
