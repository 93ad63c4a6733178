#include "labeleditor.h"

#include "platform/units.h"

#include <QKeyEvent>
#include <QTextDocument>

LabelEditor::LabelEditor(QWidget *parent)
    : QTextEdit(parent)
{
    setObjectName(QStringLiteral("T_etiquet"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAcceptRichText(true);
    // Unhinted metrics, so the screen breaks lines where the fitting does.
    document()->setUseDesignMetrics(true);
    document()->setDocumentMargin(0);
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    setBackgroundColor(Qt::white);
}

void LabelEditor::setGeometryTwips(const QRect &twips)
{
    setGeometry(units::twipsToPixels(twips));
    m_geometry = twips;
    m_wrapWidth = twips.width() - 30;
    setLineWrapColumnOrWidth(std::max(1, units::twipsToPixels(m_wrapWidth)));
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
    QTextEdit::mousePressEvent(event);
}

void LabelEditor::mouseReleaseEvent(QMouseEvent *event)
{
    QTextEdit::mouseReleaseEvent(event);
    saveCaret(true);
}
