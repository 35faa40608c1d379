#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

namespace ZelkShell {

class SoftwareFrameRenderer;

// The video area of the software output: tells its renderer its size and
// paints the pictures the renderer draws (on its own thread) at that size.
// Without a renderer, or with a message set, it shows the message instead.
class VideoView : public QWidget {
    Q_OBJECT

public:
    explicit VideoView(QWidget* parent = nullptr);

    // The renderer to draw from; null shows only the message.
    void setRenderer(SoftwareFrameRenderer* renderer);
    // A line shown over a black area instead of the picture (empty: the picture).
    void showMessage(const QString& text);
    QString message() const { return message_; }

    // The last picture received, and how many were received so far.
    QImage lastFrame() const { return frame_; }
    quint64 framesRendered() const { return framesRendered_; }
    // Whether the pictures received show video yet (not only black).
    bool showsVideo() const;

signals:
    // A new picture arrived (not yet necessarily painted).
    void frameRendered();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void takeFrame();

private:
    QPointer<SoftwareFrameRenderer> renderer_;
    QImage frame_;
    QString message_;
    quint64 framesRendered_ = 0;
};

} // namespace ZelkShell
