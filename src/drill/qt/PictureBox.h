#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <functional>

// An image box: shows its picture as large as fits inside the box with its own shape, centred on
// the window's background, with no border. The picture can also be handed over as a source that
// gives it when it is first needed (painted, or asked for), so that a picture still being decoded
// on another thread is waited for only when it is drawn.
class PictureBox final : public QWidget
{
    Q_OBJECT

public:
    using Source = std::function<QImage()>;

    explicit PictureBox(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    void setImageSource(Source source);
    bool hasPendingImage() const { return static_cast<bool>(m_source); }
    const QImage& image();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void takeFromSource();
    void adopt(const QImage& image);

    Source m_source;
    QImage m_image;
    // The picture at its drawn size in the box, made once per size rather than at every paint.
    QPixmap m_fitted;
};
