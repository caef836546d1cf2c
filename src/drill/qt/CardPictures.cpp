#include "drill/qt/CardPictures.h"

#include "drill/qt/PictureBox.h"
#include "drill/qt/PictureLoader.h"

#include <utility>

namespace {

constexpr QSize kSetupPictureSize(800, 600);

} // namespace

CardPictures::CardPictures(PictureBox& card)
    : m_card(card)
    , m_prefetch(&PictureLoader::load)
{
}

void CardPictures::show(const QString& file, QSize size)
{
    // Decoded on the prefetch thread (unless it is there already) while the rest of the card is
    // laid out and the window gets to painting it: the box waits for it only when it draws it.
    m_prefetch.prepare(file, size);
    m_next.clear();
    m_card.setImageSource([this, file, size] {
        const QImage image = m_prefetch.take(file, size);
        // The card after this one has waited for this one to be taken.
        if (!m_next.isEmpty() && m_firstFrameShown)
            m_prefetch.prepare(std::exchange(m_next, QString()), size);
        return image.isNull() ? PictureLoader::placeholder(size) : image;
    });
}

void CardPictures::prepare(const QString& file, QSize size)
{
    if (m_card.hasPendingImage() || !m_firstFrameShown)
        m_next = file;
    else
        m_prefetch.prepare(file, size);
}

void CardPictures::firstFrameShown(QSize size)
{
    m_firstFrameShown = true;
    if (!m_next.isEmpty() && !m_card.hasPendingImage())
        m_prefetch.prepare(std::exchange(m_next, QString()), size);
}

// The set-up picture is read only when it is shown (most starts never show it), straight at its
// drawn size in the box, and let go once Enter has taken it away: it never comes back. Usually
// its reading has begun already (prepareSetup), and this finds it under way.
void CardPictures::showSetup(PictureBox& box, QSize size)
{
    const QString setup = setupPictureFor(size);
    m_prefetch.prepare(setup, size);
    box.setImageSource([this, setup, size] { return m_prefetch.take(setup, size); });
}

void CardPictures::hideSetup(PictureBox& box)
{
    box.setImage(QImage());
}

void CardPictures::prepareSetup(QSize size)
{
    if (!size.isEmpty())
        m_prefetch.prepare(setupPictureFor(size), size);
}

// The set-up picture comes drawn at its own 800 x 600 pixels and at twice that. A box larger
// than the first in device pixels (nearly every screen, and every HiDPI one) takes the second,
// so that the steps a teacher reads are enlarged as little as possible.
QString CardPictures::setupPictureFor(QSize size)
{
    const bool larger = size.width() > kSetupPictureSize.width()
        || size.height() > kSetupPictureSize.height();
    return larger ? QStringLiteral(":/tapomi/setup@2x.png") : QStringLiteral(":/tapomi/setup.png");
}
