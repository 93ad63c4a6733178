#pragma once

#include <QColor>
#include <QTextEdit>

// `T_etiquet`: the rich-text editor drawn at the label's true size. Its text
// wraps 30 twips before the right edge, as the label will print.
class LabelEditor : public QTextEdit {
    Q_OBJECT
public:
    explicit LabelEditor(QWidget *parent = nullptr);

    // Size and place in twips; the size is whole pixels already.
    void setGeometryTwips(const QRect &twips);
    QRect geometryTwips() const { return m_geometry; }
    int wrapWidthTwips() const { return m_wrapWidth; }

    QColor backgroundColor() const;
    void setBackgroundColor(const QColor &color);

    // Caret position and selection length as last seen by a key press or a
    // mouse release; the font command works on this range.
    int savedCaret() const { return m_savedCaret; }
    int savedSelectionLength() const { return m_savedLength; }

signals:
    void mousePressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void saveCaret(bool withSelection);

    QRect m_geometry;
    int m_wrapWidth = 0;
    int m_savedCaret = 0;
    int m_savedLength = 0;
};
