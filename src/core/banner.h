#pragma once
// The banner strip at the top of every window: a gradient in shades of the button-face colour
// with the window's caption on the right.

#include <QWidget>

class BannerStrip : public QWidget {
    Q_OBJECT
public:
    explicit BannerStrip(QWidget* parent = nullptr);
    QString caption() const { return m_caption; }
    QSize sizeHint() const override { return {400, 44}; }

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* event) override;

private:
    friend void Topleiste(BannerStrip& strip, const QString& caption);
    QString m_caption;
};

// Sets the caption and the colours of a window's banner; every window calls it when it becomes
// active. "Wagenwart" is shown large, every other caption in 8-point type.
void Topleiste(BannerStrip& strip, const QString& caption);

// The button-face colour with red, green and blue each reduced by `amount`, not below 0.
QColor reducedColour(const QColor& colour, int amount);
