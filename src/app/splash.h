#pragma once

#include <QSplashScreen>

namespace app {

// The start-up splash: the product word, the version and a progress bar shown
// as a whole percentage; it closes by itself after a moment.
class Splash : public QSplashScreen {
    Q_OBJECT
public:
    Splash();
    void setProgress(double percent);
    double progress() const { return progress_; }

protected:
    void drawContents(QPainter* painter) override;

private:
    double progress_ = 0;
};

}  // namespace app
