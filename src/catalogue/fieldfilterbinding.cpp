#include "fieldfilterbinding.h"

#include "platform/dialogs.h"

#include <QKeyEvent>
#include <QLineEdit>

FieldFilterBinding::FieldFilterBinding(Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_dialogs(dialogs)
{
}

void FieldFilterBinding::addCountField(QLineEdit *field)
{
    field->setProperty("kalvFilterKind", static_cast<int>(Kind::Count));
    field->installEventFilter(this);
}

void FieldFilterBinding::addDimensionField(QLineEdit *field)
{
    field->setProperty("kalvFilterKind", static_cast<int>(Kind::Dimension));
    field->installEventFilter(this);
}

bool FieldFilterBinding::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (!field)
        return false;
    const auto kind = static_cast<Kind>(field->property("kalvFilterKind").toInt());
    switch (event->type()) {
    case QEvent::FocusIn:
        if (kind == Kind::Dimension)
            m_filter.focusGained(field->text());
        break;
    case QEvent::KeyPress:
        keyDown(field, kind, static_cast<const QKeyEvent &>(*event));
        break;
    case QEvent::KeyRelease:
        if (m_pending == field) {
            m_pending = nullptr;
            keyUp(field, kind);
        }
        break;
    default:
        break;
    }
    return false; // the field always takes the key; the filter undoes it after
}

void FieldFilterBinding::keyDown(QLineEdit *field, Kind kind, const QKeyEvent &event)
{
    // Tab leaves the field: its key goes up in the next one.
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab)
        return;
    const bool isDelete = event.key() == Qt::Key_Delete;
    const QString before = field->text();
    m_filter.keyDown(isDelete, before);
    m_cursorBefore = field->cursorPosition();
    m_pending = field;
    if (isDelete)
        return; // Delete types nothing
    for (const QChar c : event.text()) {
        if (kind == Kind::Count)
            m_filter.countKeyPress(c);
        else
            m_filter.dimensionKeyPress(c, before);
    }
}

void FieldFilterBinding::keyUp(QLineEdit *field, Kind kind)
{
    const EntryFilter::KeyUp up =
        kind == Kind::Count ? m_filter.countKeyUp(field->text()) : m_filter.dimensionKeyUp(field->text());
    if (up.text != field->text()) {
        int cursor = field->cursorPosition();
        if (up.restored)
            cursor = m_cursorBefore;
        else if (up.prefixed)
            ++cursor;
        field->setText(up.text);
        field->setCursorPosition(qBound(0, cursor, static_cast<int>(up.text.size())));
    }
    for (int i = 0; i < up.beeps; ++i)
        m_dialogs.beep();
}
