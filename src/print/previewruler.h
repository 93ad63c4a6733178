#pragma once

#include <QList>
#include <QWidget>

// A ruler beside the preview's page, in millimetres from the paper's edge,
// with a mark where each label row or column starts. It follows the page as
// it scrolls and zooms.
class PreviewRuler : public QWidget {
    Q_OBJECT
public:
    PreviewRuler(Qt::Orientation orientation, QWidget *parent = nullptr);

    // `pixelsPerTwip` the page's scale, `offset` the pixel of the ruler where
    // the paper's edge lies, `paper` its length and `marks` in twips from
    // that edge.
    void setView(double pixelsPerTwip, int offset, int paper, const QList<int> &marks);
    QList<int> marks() const { return m_marks; }

    static constexpr int thickness = 22;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::Orientation m_orientation;
    double m_scale = 1.0 / 15;
    int m_offset = 0;
    int m_paper = 16838;
    QList<int> m_marks;
};
