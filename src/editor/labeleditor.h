#pragma once

#include <QBasicTimer>
#include <QColor>
#include <QImage>
#include <QTextEdit>

// `T_etiquet`: the rich-text editor drawn at the label's true size. Its text
// is laid out in twips, as it will print, and drawn scaled to the screen, so
// that a 10 pt character is as wide on screen as on paper (the screen's own
// fonts come only in whole pixel sizes). Its right margin is 30 twips inside
// the right edge; lines break where the fitting for print breaks them.
class LabelEditor : public QTextEdit {
    Q_OBJECT
public:
    explicit LabelEditor(QWidget *parent = nullptr);

    // Size and place in twips; the size is whole pixels already.
    void setGeometryTwips(const QRect &twips);
    QRect geometryTwips() const { return m_geometry; }

    QColor backgroundColor() const;
    void setBackgroundColor(const QColor &color);

    // Caret position and selection length as last seen by a key press or a
    // mouse release; the font command works on this range.
    int savedCaret() const { return m_savedCaret; }
    int savedSelectionLength() const { return m_savedLength; }

    // How far the text is scrolled, in twips: the caret stays in view.
    int scrollTwips() const { return m_scroll; }

signals:
    void mousePressed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void saveCaret(bool withSelection);
    void layoutInTwips();
    void keepCaretInView();
    void restartCaret();
    QMouseEvent scaled(const QMouseEvent *event) const;

    QImage m_twipDevice;   // a 1440 dpi device: one layout unit is one twip
    QRect m_geometry;
    int m_savedCaret = 0;
    int m_savedLength = 0;
    int m_scroll = 0;
    bool m_caretShown = true;
    QBasicTimer m_caretTimer;
};
