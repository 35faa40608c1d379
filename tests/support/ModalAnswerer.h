#pragma once

// Answers the next modal dialog from a timer, so no test can hang on one.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace zelktest {

class ModalAnswerer : public QObject {
public:
    // `answer` runs on the first modal widget that appears within `timeoutMs`.
    explicit ModalAnswerer(std::function<void(QWidget*)> answer, int timeoutMs = 5000)
        : answer_(std::move(answer))
    {
        connect(&poll_, &QTimer::timeout, this, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                poll_.stop();
                shown_ = true;
                title_ = modal->windowTitle();
                if (auto* box = qobject_cast<QMessageBox*>(modal))
                    text_ = box->text();
                answer_(modal);
            }
        });
        poll_.start(5);
        QTimer::singleShot(timeoutMs, this, [this] { poll_.stop(); });
    }

    bool shown() const { return shown_; }
    QString title() const { return title_; }
    QString text() const { return text_; }

    // Clicks a message box button.
    static std::function<void(QWidget*)> press(QMessageBox::StandardButton button)
    {
        return [button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (box && box->button(button))
                box->button(button)->click();
            else
                modal->close();
        };
    }

private:
    std::function<void(QWidget*)> answer_;
    QTimer poll_;
    bool shown_ = false;
    QString title_;
    QString text_;
};

} // namespace zelktest
