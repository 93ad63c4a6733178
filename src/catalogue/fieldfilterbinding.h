#pragma once

#include "entryfilter.h"

#include <QObject>
#include <QPointer>

class Dialogs;
class QKeyEvent;
class QLineEdit;

// Feeds the key events of the catalogue's numeric fields to one EntryFilter
// and applies what it decides: the field's text put back or completed, and
// the beep.
class FieldFilterBinding : public QObject {
    Q_OBJECT
public:
    FieldFilterBinding(Dialogs &dialogs, QObject *parent = nullptr);

    void addCountField(QLineEdit *field);
    void addDimensionField(QLineEdit *field);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Kind { Count, Dimension };
    void keyDown(QLineEdit *field, Kind kind, const QKeyEvent &event);
    void keyUp(QLineEdit *field, Kind kind);

    Dialogs &m_dialogs;
    EntryFilter m_filter;
    // The field whose key is down: a key goes up where it went down, once.
    QPointer<QLineEdit> m_pending;
    int m_cursorBefore = 0;
};
