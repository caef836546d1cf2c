#pragma once

#include <QLabel>

// The note that no card is chosen, over the middle of the drill window, for the teacher.
class EmptyDeckHint final : public QLabel
{
    Q_OBJECT

public:
    explicit EmptyDeckHint(QWidget* parent);

    // Fits the note to the window's area: a tenth from each side, the middle third.
    void placeIn(QRect area);
};
