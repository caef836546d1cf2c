#pragma once

#include "drill/qt/PicturePrefetch.h"

#include <QSize>
#include <QString>

class PictureBox;

// The pictures of the drill window: the card's picture in Image1 and the keyboard set-up picture
// in Image2, each decoded on the read-ahead thread and handed to its box when the box draws it.
// The next card's picture is read ahead only once the first frame is on screen and the current
// card's own picture has been taken, so that neither waits for it.
class CardPictures
{
public:
    explicit CardPictures(PictureBox& card);

    CardPictures(const CardPictures&) = delete;
    CardPictures& operator=(const CardPictures&) = delete;

    // The card's picture, decoded at the card box's size in device pixels.
    void show(const QString& file, QSize size);
    // The picture that most likely comes next.
    void prepare(const QString& file, QSize size);
    void firstFrameShown(QSize size);
    // The set-up picture: read when it is shown, at its drawn size, and let go when it is hidden.
    void showSetup(PictureBox& box, QSize size);
    void hideSetup(PictureBox& box);
    // Start-up: the set-up picture for a box of this size may be read already.
    void prepareSetup(QSize size);

    const PicturePrefetch& prefetch() const { return m_prefetch; }

private:
    static QString setupPictureFor(QSize size);

    PictureBox& m_card;
    PicturePrefetch m_prefetch;
    // The picture to read ahead once the card's own has been taken and the first frame is shown.
    QString m_next;
    bool m_firstFrameShown = false;
};
