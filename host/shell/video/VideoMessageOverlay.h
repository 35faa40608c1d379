#pragma once

#include <QLabel>

namespace ZelkShell {

// A message covering a video area that paints nothing of its own (the
// OpenGL output, the engine's window): black, with the text centred, the
// way the software output shows its messages. Hidden while the text is empty.
class VideoMessageOverlay : public QLabel {
    Q_OBJECT

public:
    // Covers `area` and follows its size. With `nativeWindow` it is a window
    // of its own, so that it stays above what another program draws into
    // `area`'s window.
    VideoMessageOverlay(QWidget* area, bool nativeWindow);

    void showMessage(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace ZelkShell
