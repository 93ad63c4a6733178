#include "previewwindow.h"

#include "previewruler.h"

#include "editor/textmeasure.h"
#include "print/sheetgeometry.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {

constexpr double screenPixelsPerTwip = 1.0 / 15;   // 96 dots per inch: true size

} // namespace

PreviewWindow::PreviewWindow(SheetSnapshot sheet, PreviewPaper paper, QSize screen, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_sheet(std::move(sheet))
    , m_paper(paper)
{
    setObjectName(QStringLiteral("NPAGE"));
    setWindowTitle(QStringLiteral("Vue avant impression"));
    setAttribute(Qt::WA_DeleteOnClose);

    const SheetGeometry geometry = sheetGeometry(m_sheet.type, m_paper.pageWidth, m_paper.pageHeight);
    for (int col = 0; col < m_sheet.type.cols; ++col)
        m_columnMarks << geometry.labelRect(col, 0).left();
    for (int row = 0; row < m_sheet.type.rows; ++row)
        m_rowMarks << geometry.labelRect(0, row).top();

    I_hor = new PreviewRuler(Qt::Horizontal, this);
    I_hor->setObjectName(QStringLiteral("I_hor"));
    I_ver = new PreviewRuler(Qt::Vertical, this);
    I_ver->setObjectName(QStringLiteral("I_ver"));
    I_page = new QLabel;
    I_page->setObjectName(QStringLiteral("I_page"));
    pageArea = new QScrollArea(this);
    pageArea->setWidget(I_page);
    pageArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pageArea->setFrameShape(QFrame::NoFrame);
    A_page = pageArea->verticalScrollBar();
    A_page->setObjectName(QStringLiteral("A_page"));

    C_zoom = new QComboBox(this);
    C_zoom->setObjectName(QStringLiteral("C_zoom"));
    C_zoom->addItems({QStringLiteral("Page entière"), QStringLiteral("100 %"), QStringLiteral("200 %")});
    B_finpage = new QPushButton(QStringLiteral("QUITTER"), this);
    B_finpage->setObjectName(QStringLiteral("B_finpage"));

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(0);
    grid->addWidget(I_hor, 0, 1);
    grid->addWidget(I_ver, 1, 0);
    grid->addWidget(pageArea, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 6, 0, 0);
    buttons->addWidget(new QLabel(QStringLiteral("Zoom :"), this));
    buttons->addWidget(C_zoom);
    buttons->addStretch();
    buttons->addWidget(B_finpage);
    grid->addLayout(buttons, 2, 0, 1, 2);

    connect(C_zoom, &QComboBox::currentIndexChanged, this, [this](int index) { setZoom(Zoom(index)); });
    connect(B_finpage, &QPushButton::clicked, this, &QWidget::close);
    connect(pageArea->horizontalScrollBar(), &QScrollBar::valueChanged, this, &PreviewWindow::followScroll);
    connect(A_page, &QScrollBar::valueChanged, this, &PreviewWindow::followScroll);

    // The page at true size when the screen holds it, else as much as fits.
    const int wantWidth = int(m_paper.pageWidth * screenPixelsPerTwip) + PreviewRuler::thickness + 40;
    const int wantHeight = int(m_paper.pageHeight * screenPixelsPerTwip) + PreviewRuler::thickness + 60;
    resize(std::min(wantWidth, screen.width() - 40), std::min(wantHeight, screen.height() - 60));
    move(std::max(0, (screen.width() - width()) / 2), std::max(0, (screen.height() - height()) / 2));
    redraw();
}

void PreviewWindow::setZoom(Zoom zoom)
{
    m_zoom = zoom;
    if (C_zoom->currentIndex() != int(zoom))
        C_zoom->setCurrentIndex(int(zoom));
    redraw();
}

void PreviewWindow::redraw()
{
    double scale = screenPixelsPerTwip;
    if (m_zoom == Zoom::Double)
        scale = 2 * screenPixelsPerTwip;
    else if (m_zoom == Zoom::Fit) {
        const QSize room = pageArea->maximumViewportSize();
        scale = std::min(double(room.width()) / m_paper.pageWidth, double(room.height()) / m_paper.pageHeight);
        scale = std::max(scale, 0.01);
    }
    if (!m_image.isNull() && qFuzzyCompare(scale, m_scale))
        return;
    m_scale = scale;
    TextMeasure measure;
    m_image = pagepreview::draw(m_sheet, m_paper, m_scale, measure);
    I_page->setPixmap(QPixmap::fromImage(m_image));
    I_page->resize(m_image.size());
    followScroll();
}

void PreviewWindow::followScroll()
{
    I_hor->setView(m_scale, -pageArea->horizontalScrollBar()->value(), m_paper.pageWidth, m_columnMarks);
    I_ver->setView(m_scale, -A_page->value(), m_paper.pageHeight, m_rowMarks);
}

void PreviewWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_zoom == Zoom::Fit)
        redraw();
}

void PreviewWindow::closeEvent(QCloseEvent *event)
{
    emit closed();
    event->accept();
}
