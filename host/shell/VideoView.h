#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

namespace ZelkShell {

class SoftwareFrameRenderer;

// The video area of the software output: asks its renderer for a picture of
// its own size whenever the engine has something new, and paints it. Without
// a renderer, or with a message set, it shows the message instead.
class VideoView : public QWidget {
    Q_OBJECT

public:
    explicit VideoView(QWidget* parent = nullptr);

    // The renderer to draw from; null shows only the message.
    void setRenderer(SoftwareFrameRenderer* renderer);
    // A line shown over a black area instead of the picture (empty: the picture).
    void showMessage(const QString& text);
    QString message() const { return message_; }

    // The last picture rendered, and how many were rendered so far.
    QImage lastFrame() const { return frame_; }
    quint64 framesRendered() const { return framesRendered_; }

signals:
    // A new picture was rendered (not yet necessarily painted).
    void frameRendered();

public slots:
    // Renders the current picture again at the view's size.
    void renderFrame();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void engineUpdate();

private:
    QPointer<SoftwareFrameRenderer> renderer_;
    QImage frame_;
    QString message_;
    quint64 framesRendered_ = 0;
};

} // namespace ZelkShell
