#pragma once

#include "print/pagepreview.h"

#include <QWidget>

class PreviewRuler;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QScrollBar;

// `NPAGE`, the print preview: the page as it will print, with rulers in
// millimetres, at the window's size, 100 % or 200 %. It is drawn once when
// it opens and does not follow later edits.
class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    enum class Zoom { Fit, Actual, Double };

    // The labels of `sheet` are borrowed and must outlive the window.
    PreviewWindow(SheetSnapshot sheet, PreviewPaper paper, QSize screen, QWidget *parent = nullptr);

    void setZoom(Zoom zoom);
    double pixelsPerTwip() const { return m_scale; }
    const QImage &pageImage() const { return m_image; }

    QScrollArea *pageArea = nullptr;
    QLabel *I_page = nullptr;
    PreviewRuler *I_hor = nullptr;
    PreviewRuler *I_ver = nullptr;
    QScrollBar *A_page = nullptr;
    QComboBox *C_zoom = nullptr;
    QPushButton *B_finpage = nullptr;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void redraw();
    void followScroll();

    SheetSnapshot m_sheet;
    PreviewPaper m_paper;
    Zoom m_zoom = Zoom::Fit;
    double m_scale = 1.0 / 15;
    QImage m_image;
    QList<int> m_columnMarks;
    QList<int> m_rowMarks;
};
