#pragma once

#include <QObject>

class QLineEdit;
class QListView;

// A search field over a list of names: each keystroke shows only the names
// that hold the typed text (namesearch), in their order; Escape empties the
// field, the arrows move among the names shown, Enter chooses one.
class ListFilter : public QObject {
    Q_OBJECT
public:
    ListFilter(QLineEdit *field, QListView *list, QObject *parent = nullptr);

    void refilter();
    // The row Enter would choose: the current one if shown, else the first
    // shown; -1 when none is shown.
    int choice() const;

signals:
    void chosen(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void step(int direction);

    QLineEdit *m_field;
    QListView *m_list;
};
