#pragma once

#include <QScrollArea>

// A scroll area that scrolls up and down only: it asks its layout for the width its content
// needs (with room for the scroll bar), so the content is never cut at the side nor scrolled
// sideways, and it takes the content's spare height when there is some. The content should
// wrap its text, so that it needs little width.
class VerticalScrollArea final : public QScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VerticalScrollArea)

public:
    // Takes the content over.
    explicit VerticalScrollArea(QWidget* content, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int sideRoom() const;
};
