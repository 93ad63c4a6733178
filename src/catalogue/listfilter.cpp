#include "listfilter.h"

#include "namesearch.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>

ListFilter::ListFilter(QLineEdit *field, QListView *list, QObject *parent)
    : QObject(parent)
    , m_field(field)
    , m_list(list)
{
    field->setPlaceholderText(QStringLiteral("Rechercher"));
    field->setClearButtonEnabled(true);
    field->installEventFilter(this);
    connect(field, &QLineEdit::textChanged, this, &ListFilter::refilter);
}

void ListFilter::refilter()
{
    const QAbstractItemModel *model = m_list->model();
    const QString typed = namesearch::fold(m_field->text());
    m_list->setUpdatesEnabled(false);
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString name = model->index(row, 0).data().toString();
        m_list->setRowHidden(row, !typed.isEmpty() && !namesearch::fold(name).contains(typed));
    }
    m_list->setUpdatesEnabled(true);
    const int row = choice();
    if (row >= 0 && row != m_list->currentIndex().row())
        m_list->setCurrentIndex(model->index(row, 0));
}

int ListFilter::choice() const
{
    const int current = m_list->currentIndex().row();
    if (current >= 0 && !m_list->isRowHidden(current))
        return current;
    for (int row = 0; row < m_list->model()->rowCount(); ++row) {
        if (!m_list->isRowHidden(row))
            return row;
    }
    return -1;
}

void ListFilter::step(int direction)
{
    const int count = m_list->model()->rowCount();
    for (int row = choice() + direction; row >= 0 && row < count; row += direction) {
        if (!m_list->isRowHidden(row)) {
            m_list->setCurrentIndex(m_list->model()->index(row, 0));
            m_list->scrollTo(m_list->currentIndex());
            return;
        }
    }
}

bool ListFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Escape:
            m_field->clear();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (const int row = choice(); row >= 0)
                emit chosen(row);
            return true;
        case Qt::Key_Down:
            step(1);
            return true;
        case Qt::Key_Up:
            step(-1);
            return true;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
