#pragma once

#include <QObject>

namespace app {

// Keeps every tool-tip of the program on show for a fixed time.
class ToolTipDuration : public QObject {
    Q_OBJECT
public:
    explicit ToolTipDuration(int msec, QObject* parent = nullptr) : QObject(parent), msec_(msec) {}
    int msec() const { return msec_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int msec_;
};

}  // namespace app
