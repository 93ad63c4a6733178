#pragma once

#include "sheetsample.h"

#include <QWidget>

// The picture `I_page` of the catalogue: a sheet type drawn to scale, green
// label outlines and the printer's printable area in red.
class SampleView : public QWidget {
    Q_OBJECT
public:
    explicit SampleView(QWidget *parent = nullptr);

    void setSample(const SheetSample &sample);
    const SheetSample &sample() const { return m_sample; }

    static QColor labelColor() { return QColor(0, 255, 0); }
    static QColor printableColor() { return QColor(255, 0, 0); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SheetSample m_sample;
    QList<QRect> m_boxes;
    QRect m_printable;
    bool m_drawn = false;
};
