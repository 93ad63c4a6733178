#include "labeleditor.h"

#include "textfitter.h"

#include "platform/units.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

namespace {

constexpr double screenScale = 1.0 / units::twipsPerPixel;

} // namespace

LabelEditor::LabelEditor(QWidget *parent)
    : QTextEdit(parent)
    , m_twipDevice(1, 1, QImage::Format_RGB32)
{
    setObjectName(QStringLiteral("T_etiquet"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAcceptRichText(true);
    setAcceptDrops(false);
    const int dotsPerMetre = qRound(units::twipsPerInch / 0.0254);
    m_twipDevice.setDotsPerMeterX(dotsPerMetre);
    m_twipDevice.setDotsPerMeterY(dotsPerMetre);
    document()->setDocumentMargin(0);
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    setCursorWidth(2 * units::twipsPerPixel);
    setBackgroundColor(Qt::white);
    layoutInTwips();

    // The text scrolls by our own offset, in twips; the bars stay at 0.
    for (QScrollBar *bar : {verticalScrollBar(), horizontalScrollBar()}) {
        connect(bar, &QScrollBar::rangeChanged, bar, [bar](int, int max) {
            if (max != 0)
                bar->setRange(0, 0);
        });
    }
    auto repaint = [this] { viewport()->update(); };
    connect(document(), &QTextDocument::contentsChanged, this, repaint);
    connect(this, &QTextEdit::selectionChanged, this, repaint);
    connect(this, &QTextEdit::cursorPositionChanged, this, [this] {
        keepCaretInView();
        restartCaret();
    });
}

void LabelEditor::layoutInTwips()
{
    document()->setUseDesignMetrics(false);
    document()->documentLayout()->setPaintDevice(&m_twipDevice);
}

void LabelEditor::setGeometryTwips(const QRect &twips)
{
    setGeometry(units::twipsToPixels(twips));
    m_geometry = twips;
    // Lines break on screen where the fitting will break them for print.
    setLineWrapColumnOrWidth(std::max(1, TextFitter::lineWidthLimit(twips.width())));
    keepCaretInView();
}

QColor LabelEditor::backgroundColor() const
{
    return palette().color(QPalette::Base);
}

void LabelEditor::setBackgroundColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
}

void LabelEditor::keepCaretInView()
{
    const QRect caret = cursorRect(); // layout units: twips
    const int visible = viewport()->height() * units::twipsPerPixel;
    int scroll = m_scroll;
    if (caret.top() < scroll)
        scroll = caret.top();
    else if (caret.bottom() > scroll + visible)
        scroll = caret.bottom() - visible;
    scroll = std::max(0, scroll);
    if (scroll != m_scroll) {
        m_scroll = scroll;
        viewport()->update();
    }
}

void LabelEditor::restartCaret()
{
    m_caretShown = true;
    const int interval = QApplication::cursorFlashTime() / 2;
    if (hasFocus() && interval > 0)
        m_caretTimer.start(interval, this);
    viewport()->update();
}

void LabelEditor::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), backgroundColor());
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(screenScale, screenScale);
    painter.translate(0, -m_scroll);

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    context.clip = QRectF(0, m_scroll, viewport()->width() * units::twipsPerPixel,
                          viewport()->height() * units::twipsPerPixel);
    if (hasFocus() && m_caretShown && !isReadOnly())
        context.cursorPosition = textCursor().position();
    if (textCursor().hasSelection()) {
        QAbstractTextDocumentLayout::Selection selection;
        selection.cursor = textCursor();
        selection.format.setBackground(palette().brush(QPalette::Highlight));
        selection.format.setForeground(palette().brush(QPalette::HighlightedText));
        context.selections.append(selection);
    }
    document()->documentLayout()->draw(&painter, context);
}

QMouseEvent LabelEditor::scaled(const QMouseEvent *event) const
{
    const QPointF at = event->position() * units::twipsPerPixel + QPointF(0, m_scroll);
    return QMouseEvent(event->type(), at, event->scenePosition(), event->globalPosition(), event->button(),
                       event->buttons(), event->modifiers());
}

void LabelEditor::saveCaret(bool withSelection)
{
    const QTextCursor cursor = textCursor();
    m_savedCaret = cursor.selectionStart();
    if (withSelection)
        m_savedLength = cursor.selectionEnd() - cursor.selectionStart();
}

void LabelEditor::keyPressEvent(QKeyEvent *event)
{
    saveCaret(false);
    QTextEdit::keyPressEvent(event);
}

void LabelEditor::mousePressEvent(QMouseEvent *event)
{
    emit mousePressed();
    // Text is never dragged out of a label: a press inside the selection
    // starts a new one, as anywhere else. A drag would also hold the pointer
    // in a loop of its own where no drop target answers.
    if (event->button() == Qt::LeftButton && textCursor().hasSelection()) {
        QTextCursor caret = textCursor();
        caret.clearSelection();
        setTextCursor(caret);
    }
    QMouseEvent inTwips = scaled(event);
    QTextEdit::mousePressEvent(&inTwips);
}

void LabelEditor::mouseMoveEvent(QMouseEvent *event)
{
    QMouseEvent inTwips = scaled(event);
    QTextEdit::mouseMoveEvent(&inTwips);
}

void LabelEditor::mouseReleaseEvent(QMouseEvent *event)
{
    QMouseEvent inTwips = scaled(event);
    QTextEdit::mouseReleaseEvent(&inTwips);
    saveCaret(true);
}

void LabelEditor::mouseDoubleClickEvent(QMouseEvent *event)
{
    QMouseEvent inTwips = scaled(event);
    QTextEdit::mouseDoubleClickEvent(&inTwips);
}

void LabelEditor::focusInEvent(QFocusEvent *event)
{
    QTextEdit::focusInEvent(event);
    restartCaret();
}

void LabelEditor::focusOutEvent(QFocusEvent *event)
{
    QTextEdit::focusOutEvent(event);
    m_caretTimer.stop();
    viewport()->update();
}

void LabelEditor::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_caretTimer.timerId()) {
        QTextEdit::timerEvent(event);
        return;
    }
    m_caretShown = !m_caretShown;
    viewport()->update();
}
