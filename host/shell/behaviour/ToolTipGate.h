#pragma once

#include <QObject>

class QWidget;

namespace ZelkShell {

// "Disable tooltips": the player's own controls (the widgets below `controls`)
// show their tooltips only while the gate is open.
class ToolTipGate : public QObject {
    Q_OBJECT

public:
    explicit ToolTipGate(QWidget* controls, QObject* parent = nullptr);

    void setToolTipsShown(bool shown) { shown_ = shown; }
    bool toolTipsShown() const { return shown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* controls_;
    bool shown_ = true;
};

} // namespace ZelkShell
